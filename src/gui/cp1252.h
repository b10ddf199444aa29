#pragma once
// Text at the widget boundary. Files and core texts are Windows-1252 bytes; widgets hold
// QString. The five bytes Windows-1252 leaves undefined map to the control code points of the
// same value, so every byte string survives a round trip. File-system paths are not file
// content: they cross with the local 8-bit encoding of file names.

#include <QString>
#include <string>

namespace vornlfrf::gui {

char16_t cp1252ToUnicode(unsigned char byte);
// Characters outside Windows-1252 become '?'.
QString fromCp1252(const std::string& bytes);
std::string toCp1252(const QString& text);

QString fromPath(const std::string& path);
std::string toPath(const QString& path);

}  // namespace vornlfrf::gui
