#pragma once

#include <functional>

namespace sim {

class Connection;

// The settings port (9998) of a binary-family unit. These units keep their mail settings in
// their stored records; on this port they take only the classic dialog's test message:
// flag lines and key/value pairs ended by "END", with "MAILTEST" asking for one test mail
// sent with the account the message names (MHOST, MFROM, MTO1, MTO2). Nothing of it is kept;
// the unit restarts after it only without "NORESET". The message is logged as `settings`,
// the test as `mailTest` (entry 0), a message cut off before "END" as `incomplete`.
// `restart` asks for the unit's restart.
void serveMailTestPort(Connection& connection, const std::function<void()>& restart);

} // namespace sim
