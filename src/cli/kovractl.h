#pragma once

#include "core/app/main_window_model.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace kovra::cli {

// kovractl as a function, so tests run its commands in-process with their own streams.
// `words` are the arguments after the program name; the result is the exit status.
int runKovractl(const std::vector<std::string>& words, std::istream& in, std::ostream& out, std::ostream& err,
    MainWindowModel::AdapterSource adapters = enumerateAdapters);

} // namespace kovra::cli
