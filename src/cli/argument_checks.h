#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace kovra::cli {

// The checks of kovractl's argument texts, made while the command line is read so that a
// malformed word is a usage error before any traffic.

// A dotted IPv4 address a.b.c.d.
CLI::Validator ipv4Check();
// A unit: an IPv4 address or a hardware address XX-XX-XX-XX-XX-XX.
CLI::Validator unitCheck();
// A TCP port, as the port edit takes it: decimal digits, 0 to 65535.
CLI::Validator portCheck();
// A dialog assignment FIELD=VALUE (a field name, then '=').
CLI::Validator assignmentCheck();

// The UNIT argument of the commands that act on one unit (required, checked by unitCheck).
void addUnitArgument(CLI::App& command, std::string& unit);

// --show-secrets, for the commands that print passwords.
void addShowSecretsFlag(CLI::App& command, bool& showSecrets);

} // namespace kovra::cli
