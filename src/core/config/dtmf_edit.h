// SPDX-License-Identifier: GPL-3.0-or-later
// The DTMF window's decisions: its texts and item lists, what each control shows for the DTMF
// block and what a pick or a typed text stores, the key rules of its three text boxes and the
// autodial memory list behind its grid.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/radio_config.h"
#include "core/texts/bilingual.h"

namespace kr4100 {

inline constexpr Bilingual kDtmfCaption{"DTMF", "DTMF(双音多频)"};
inline constexpr std::array<Bilingual, 3> kDtmfTabs{
    {{"Encode", "编码"}, {"Decode", "解码"}, {"Autodial Memory", "自动拨号存储器"}}};
// The autodial grid's headings: the row numbers, then the digits under the tab's own name.
inline constexpr Bilingual kAutodialNoHeading{"No.", "编号"};
inline constexpr const Bilingual& kAutodialDigitsHeading = kDtmfTabs[2];
inline constexpr Bilingual kStunFrameCaption{"Stun", "Stun"};

// The controls of the block, numbered as the block orders its fields.
enum class DtmfField : int {
  DtmfSpeed = 1,
  FirstDigitTime,
  FirstDigitDelay,
  StarHashTime,
  DCodeAssign,
  DtmfSideTone,
  IdCode,
  GroupCode,
  AutoResetTimer,
  CallAlert,
  Transpond,
  ClearToTranspond,
  StunCode,
  StunType,
};
inline constexpr int kDtmfFieldCount = 14;

enum class DtmfControl { List, CheckBox, TextBox };
DtmfControl ControlOf(DtmfField field);
// The label of a list or a text box, the text of a check box.
const Bilingual& DtmfCaption(DtmfField field);
// The number a list or a check box keeps (0 for a text box).
int DtmfStoredNumber(const DtmfSettings& block, DtmfField field);

// A list's items in a language, in list order (empty for the other controls).
std::vector<std::string> DtmfItemTexts(DtmfField field, int language);
// The position a list shows for the block; nothing when no item stands for the stored value.
std::optional<int> DtmfItemIndexOfStored(const DtmfSettings& block, DtmfField field);
// Stores the item picked at a position into its own field; false (nothing stored) for a
// position outside the list or a field that is not a list.
bool StoreDtmfPick(DtmfSettings& block, DtmfField field, int position);

// The two check boxes: checked for any stored value but 0; a click stores 0 or 1.
bool DtmfChecked(const DtmfSettings& block, DtmfField field);
void StoreDtmfCheck(DtmfSettings& block, DtmfField field, bool checked);

// ID code: shown without its surrounding blanks; a text of 3 or more characters is stored (the
// first 10, padded with blanks), anything shorter is refused and the field takes "000".
inline constexpr int kIdCodeLength = 10;
inline constexpr int kIdCodeMinLength = 3;
inline constexpr const char* kIdCodeDefault = "000";
std::string IdCodeShownText(const DtmfSettings& block);
enum class IdCodeCommit { Unchanged, Stored, Refused };
// Why the box's text is committed: the user leaves the box, or the program collects what the
// window holds (before saving or writing, and as it closes).
enum class IdCodeCommitBy { LeavingBox, Program };
// A text equal to what the box was shown leaves the field alone, byte for byte, when it is long
// enough. A short one read from a file is refused when the user leaves the box, as a typed one
// is; the program's own commit keeps it, since nobody was in the box to be told.
IdCodeCommit CommitIdCode(DtmfSettings& block, std::string_view text, IdCodeCommitBy by);

// Stun code: shown up to the first NUL; a shorter text than 10 is stored with one NUL and
// blanks after it, a longer one is cut to 10. True when the field changed.
inline constexpr int kStunCodeLength = 10;
std::string StunCodeShownText(const DtmfSettings& block);
bool CommitStunCode(DtmfSettings& block, std::string_view text);

// Autodial memory. Rows are the grid's data rows 1..8.
inline constexpr int kAutodialRows = kAutodialSlots;
inline constexpr int kAutodialDigitsLength = 16;
// What each grid row shows (row 1 at [0]): its entry's digits up to the first NUL, or nothing.
std::array<std::string, kAutodialRows> AutodialRowTexts(const RadioConfig& record);
// The cell editor's text committed into a row: an existing entry takes the text (an empty text
// deletes it and the later entries move up); a row without an entry gets a new last entry, even
// for an empty text. A text equal to what the row shows leaves its entry as stored. Rows
// outside 1..8 commit nothing. True when the list changed.
bool CommitAutodial(RadioConfig& record, int row, std::string_view text);

// The three text boxes and the character rules of their keys.
enum class DtmfBox { IdCode, StunCode, AutodialCell };
// What a key press with this character code puts into the box: nothing (refused), the code
// itself, or "A"-"D" for "a"-"d". Ctrl+C, Ctrl+V, Ctrl+X, Enter and codes above 127 are
// refused; other control codes (Backspace) pass.
std::optional<char32_t> DtmfTypedChar(DtmfBox box, char32_t code);

}  // namespace kr4100
