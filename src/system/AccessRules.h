#pragma once
// Who may change a file or folder, decided from its access rules: the
// discretionary access control list of its security descriptor in the
// system's string form (SDDL), "D:" followed by the flags and the entries,
// as ConvertSecurityDescriptorToStringSecurityDescriptor writes it.

#include <string_view>

namespace quorvin {

// The access rules of a folder that only administrators can change, as
// Program Files has them: full control for the system and the
// administrators, reading and running for the users.
inline constexpr std::string_view kAdministratorsOnlyAccess =
    "D:PAI(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x1200a9;;;BU)";

// True when an allowing entry that applies to the object itself (not one
// that is only inherited) grants a right that changes it to anyone but the
// trusted: the local system, the administrators, TrustedInstaller and
// CREATOR OWNER (a placeholder that matches nobody on the object itself).
// Rights that change: generic all and write, write data (add a file), append
// data (add a folder), delete a child, delete, write DAC, write owner.
// A NULL DACL (no "D:" part, or "NO_ACCESS_CONTROL") and text that cannot be
// read count as writable; an empty DACL does not. Denying entries are not
// weighed: they can only make the answer stricter than Windows'.
bool WritableByNonAdministrators(std::string_view sddl);

} // namespace quorvin
