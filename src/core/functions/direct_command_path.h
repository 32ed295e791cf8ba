#pragma once

#include "core/net/direct_command.h"
#include "core/settings/dialog_path.h"

namespace kovra {

// The path of a dialog whose values the unit is asked for on one connection to its command
// port before the dialog opens. store() keeps nothing: the settings reader has none of these
// values, the unit is asked for them again each time the dialog opens.
template <typename Form> class DirectCommandPath : public DialogPath {
public:
    explicit DirectCommandPath(const UnitSlot& unit)
        : m_form(unit.record.modelIndex)
        , m_unit(unit.record)
    {
    }

    DialogForm& form() override { return m_form; }

    int load() override
    {
        DirectCommand command;
        if (const int result = command.open(m_unit))
            return result;
        return read(command);
    }

protected:
    // The reads on the open connection, into the form: 0, or the failing read's result.
    virtual int read(DirectCommand& command) = 0;

    Form m_form;

private:
    UnitRecord m_unit;
};

} // namespace kovra
