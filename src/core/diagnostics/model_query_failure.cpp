#include "core/diagnostics/model_query_failure.h"

#include "core/platform/socket_error.h"

namespace kovra {

ModelQueryFailure classifyModelQuery(int result)
{
    switch (result) {
    case 0:
        return ModelQueryFailure::None;
    case 1: // a frame that is not a model answer
    case -1: // an "MI" answer without its end mark
        return ModelQueryFailure::BadAnswer;
    case kSocketTimedOut:
        return ModelQueryFailure::TimedOut;
    case kSocketConnectionRefused:
        return ModelQueryFailure::Refused;
    case kSocketDisconnected:
        return ModelQueryFailure::Closed;
    default:
        return ModelQueryFailure::SocketError;
    }
}

const char* modelQueryFailureText(ModelQueryFailure failure)
{
    switch (failure) {
    case ModelQueryFailure::None:
        return "";
    case ModelQueryFailure::TimedOut:
        return "time-out";
    case ModelQueryFailure::Refused:
        return "refused";
    case ModelQueryFailure::BadAnswer:
        return "bad answer";
    case ModelQueryFailure::Closed:
        return "connection closed";
    case ModelQueryFailure::SocketError:
        return "socket error";
    }
    return "";
}

} // namespace kovra
