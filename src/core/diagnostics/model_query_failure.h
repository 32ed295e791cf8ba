#pragma once

namespace kovra {

// How a unit's model query ended, from queryModel's result.
enum class ModelQueryFailure {
    None, // the model came
    TimedOut, // no answer in time
    Refused, // nobody listens on the unit's port
    BadAnswer, // an answer that is not a model answer
    Closed, // the unit closed the connection before the answer was whole
    SocketError, // any other failure of the connection
};

ModelQueryFailure classifyModelQuery(int result);

// "time-out", "refused", "bad answer", "connection closed", "socket error"; "" for None.
const char* modelQueryFailureText(ModelQueryFailure failure);

} // namespace kovra
