#include "core/setupfiles/unit_setup.h"

#include "core/settings/settings_reader.h"
#include "core/settings/settings_transport.h"
#include "core/setupfiles/lwi_text.h"
#include "core/setupfiles/memory_blocks.h"
#include "core/setupfiles/rec_image.h"
#include "core/wifi/stored_record.h"

namespace kovra {

namespace {
constexpr const char* kLwiEnd = "END\r\n";
constexpr const char* kRecordOpen = "<configrecord";
constexpr const char* kRecordClose = "</configrecord>";
constexpr const char* kGroupOpen = "<configgroup ";

bool isConfigurationRecord(const std::string& text)
{
    const size_t open = text.find(kRecordOpen);
    const size_t group = text.find(kGroupOpen);
    const size_t close = text.rfind(kRecordClose);
    return text.size() <= kMaxStoredRecord && open != std::string::npos && group != std::string::npos
        && close != std::string::npos && open < group && group < close;
}
} // namespace

int readUnitSetup(const UnitSlot& unit, std::string& bytes, SetupPorts ports)
{
    bytes.clear();
    int result = 0;
    switch (setupFileKindFor(unit.record.kind)) {
    case SetupFileKind::Rec:
        result = ReadMemoryBlocks(unit.record.ipText, bytes);
        break;
    case SetupFileKind::Lwi: {
        UnitSlot scratch = unit;
        result = ReadUnitSettings(scratch, &bytes);
        break;
    }
    case SetupFileKind::Xml:
        result = exportWholeRecord(unit.record.ipText, bytes, ports.http);
        break;
    }
    if (result != 0 || !setupFileFits(setupFileKindFor(unit.record.kind), bytes)) {
        bytes.clear();
        return kSetupReadFailed;
    }
    return 0;
}

bool setupFileFits(SetupFileKind kind, const std::string& bytes)
{
    switch (kind) {
    case SetupFileKind::Rec: {
        std::vector<MemoryBlock> blocks;
        return parseRecImage(bytes, blocks) == RecProblem::None;
    }
    case SetupFileKind::Lwi: {
        LwiPairs pairs;
        return parseLwiText(bytes, pairs);
    }
    case SetupFileKind::Xml:
        return isConfigurationRecord(bytes);
    }
    return false;
}

std::string setupAsSent(SetupFileKind kind, const std::string& bytes)
{
    switch (kind) {
    case SetupFileKind::Lwi:
        return bytes + kLwiEnd;
    case SetupFileKind::Xml:
        return rewriteStoredRecord(bytes);
    case SetupFileKind::Rec:
        break;
    }
    return bytes;
}

int writeUnitSetup(const UnitSlot& unit, const std::string& bytes, SetupPorts ports)
{
    const SetupFileKind kind = setupFileKindFor(unit.record.kind);
    const std::string sent = setupAsSent(kind, bytes);
    int result = 0;
    switch (kind) {
    case SetupFileKind::Rec:
        result = writeMemoryImage(sent, unit.record.ipText);
        break;
    case SetupFileKind::Lwi:
        result = SendSettingsMessage(unit.record, sent);
        break;
    case SetupFileKind::Xml:
        result = postRecord(unit.record.ipText, sent, ports.http);
        break;
    }
    return result == 0 ? 0 : kSetupWriteFailed;
}

} // namespace kovra
