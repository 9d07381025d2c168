#pragma once

#include <filesystem>
#include <string>

#include <QString>

namespace velmora::studio {

// What went wrong, said in Chinese as the rest of the studio speaks, once:
// the document host names the file in its own messages ("cannot open F:
// damaged zip archive"), and the studio names it only in its own words.
QString CannotOpen(const std::filesystem::path& file, const std::string& hostMessage);
QString CannotSave(const std::filesystem::path& file, const std::string& hostMessage);
// Something the user did that ended with an error: "“设置字体”" or "操作".
QString Unfinished(const QString& what, const std::string& hostMessage);

}  // namespace velmora::studio
