#pragma once

namespace kovra {

class MainWindowModel;
class UserInterface;
class WindowDispatcher;

// What every flow is handed: whom it asks, where it posts, and the model it reports back to.
// A flow calls the model only inside tasks it posts, and only through the model's public
// methods; everything else it needs (a copy of its unit, its I/O) comes in its constructor.
struct FlowContext {
    UserInterface& ui;
    WindowDispatcher& dispatcher;
    MainWindowModel& model;
};

} // namespace kovra
