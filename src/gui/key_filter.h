#pragma once
// Typed characters of a line edit passed through one of core's key filters, as the operator
// types them: the filter may drop a character or replace it. Pasted text is not filtered here;
// the dialog models clean it when they save.

#include <functional>
#include <string>

class QLineEdit;

namespace vornlfrf::gui {

// key: the typed Windows-1252 byte ('\b' for backspace). rest: the edit's text without the
// selection the key would replace. Returns the byte to insert, or 0 to drop the key.
using KeyFilter = std::function<char(char key, const std::string& rest)>;

void installKeyFilter(QLineEdit* edit, KeyFilter filter);

}  // namespace vornlfrf::gui
