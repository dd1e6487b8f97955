#pragma once
// The record of the last switch: what the items it was about to apply were
// before, kept in undo.ini beside the settings file so that "Undo Last
// Switch" (and "/undo") can put it back. It is machine state, not a set of
// the user's: data.ini never holds it.
//
// The record is itself a set: the same ticks as the set that was applied,
// with the values the machine had, so that an undo runs through the same
// switch as any set. It is written whole (a new file takes the old one's
// place) before the first item is applied, and survives a crash, a reboot
// or a dropped session.

#include "store/SetRecord.h"
#include "system/IpConfig.h"
#include "system/SystemServices.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvin {

inline constexpr std::string_view kUndoFileName = "undo.ini";

// The machine as a switch finds it, for the items it may change.
struct TPresentState {
  IpConfig Adapter;
  std::string ComputerName;
  std::string Workgroup;
  std::string Printer;
  bool UseProxy = false;
  std::string ProxyAddress;
  std::string ProxyPort;
};

// Reads what applied's ticked items would change: the adapter's settings as
// Load Current reads them (only when an adapter item is ticked), the host's
// names, printer and proxy. Throws what the readers throw.
TPresentState ReadPresentState(SystemServices& system, const TSetRecord& applied);

// The set that puts back what applied changes: applied's ticks, caption and
// adapter, with the values of present. Unticked items keep nothing.
TSetRecord RecordBefore(const TSetRecord& applied, const TPresentState& present);

// Whether any ticked item of record differs between what was recorded and
// present: a run after which nothing differs changed nothing. adapterOnly
// looks at the adapter items alone.
bool AnyRecordedItemDiffers(const TSetRecord& record, const TPresentState& present, bool adapterOnly = false);

// The record as undo.ini holds it, and back; nothing for bytes that hold no
// record. questionOpen: the user was asked to keep the switch and has not
// answered yet (the program may have ended meanwhile).
struct TUndoFile {
  TSetRecord Record;
  bool QuestionOpen = false;
};
std::string UndoFileBytes(const TSetRecord& record, bool questionOpen = false);
std::optional<TUndoFile> ParseUndoFile(std::string_view bytes);

} // namespace quorvin
