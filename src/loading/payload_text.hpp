#pragma once

// The characters a payload may hold. Texts reach the chart as UTF-8 and a record's values are
// read up to their first NUL, so a NUL character or bytes that are not UTF-8 would load a value
// other than the one sent. The control reads no document type, so the only entities it knows are
// the five XML predefines.

#include <string_view>

namespace tessaro {

// Raises 5 for a NUL byte or a byte that does not belong to a UTF-8 character (overlong forms,
// surrogates and code points past U+10FFFF included); the description gives the byte's place.
// Returns whether the text holds no "$", "\" or "&": then no value read from it holds a character
// a bar record escapes (a reference could stand for one), which the check notes on its way
// through every byte, so the bar loader need not look for them again.
bool CheckPayloadText(std::string_view text);

// The first reference in the text that the control cannot read, as written ("&lol;", "&#0;",
// "&#xZZ"); empty when there is none. Readable are the five predefined entities and character
// references to any character but NUL. An "&" that starts no reference ("A & B", "&amp") is not
// one: it stands for itself.
std::string_view FindUnreadableReference(std::string_view text);

}  // namespace tessaro
