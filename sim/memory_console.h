#pragma once

#include <functional>
#include <string>

namespace sim {

class Connection;

// The line console on TCP 9999 of the binary-family units, from the unit's side: a greeting,
// "Mode", the choice "M", the prompt ">", then block commands.
//   "G<n>\r\n"  the echo "G<n>\r\n\0", the block as data records, each followed by "\r\n\0",
//               the end record and the prompt ">\0"; "9>" alone for a block the unit lacks
//   "S<n>\r\n"  the records of the block follow (no line ends) up to the end record; the
//               unit then answers "S<n>\r\n\0" and "R0\0" (stored) or "R1\0" (refused:
//               bad record, checksum, offset or length, or a block it lacks)
//   "RS\r\n"    the unit restarts once the connection has ended
// Requests are logged as "console" (the greeting), "M", "G<n>", "S<n>" and "RS", so the fault
// switch can spoil one block ("G3" cut mid-block with "close", "S3" left unacknowledged with
// "silent").
class MemoryConsole {
public:
    struct Blocks {
        // The bytes of block n; empty when the unit lacks it.
        std::function<std::string(int)> read;
        // Stores block n (its full length).
        std::function<void(int, const std::string&)> write;
        std::function<void()> restart;
    };

    static constexpr int kBlock0Length = 120;
    static constexpr int kBlockLength = 126;

    explicit MemoryConsole(Blocks blocks);
    void serve(Connection& connection);

private:
    bool blockRead(Connection& connection, const std::string& line, int n);
    bool blockWrite(Connection& connection, const std::string& line, int n);

    Blocks m_blocks;
};

} // namespace sim
