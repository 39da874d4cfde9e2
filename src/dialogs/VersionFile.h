#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The version file the maker's web site serves: lines of the form
//   Version CONTENT="5.3"
// read by key. Texts are UTF-8; positions and lengths count characters, not bytes.

// The lines of a text split at CR LF, CR or LF.
std::vector<std::string> SplitLines(std::string_view text);
// The value in one line: from two characters after the "=" of "CONTENT=" (any letter case) up
// to the next double quote within 255 characters; empty when there is none there.
std::string ExtractContent(std::string_view line);
// The value of the last line that contains `key` (case-sensitive), or empty when none does.
std::string FindContentValue(const std::vector<std::string>& lines, std::string_view key);

// The two numbers of "major.minor"; a part that is not an integer counts as 0.
int32_t GetMajorVersion(std::string_view version);
int32_t GetMinorVersion(std::string_view version);
// Digits, one point, digits: anything else (an error page's text, "5.x", "5") is not a version.
bool IsVersionText(std::string_view version);

enum class UpdateOutcome { MajorUpgrade, MinorUpgrade, UpToDate };
UpdateOutcome CompareVersions(std::string_view remote, std::string_view local);

// What a check reads from the file: the latest version and the four news lines.
struct VersionFile {
  std::string Remote;
  std::array<std::string, 4> News;
};
// None when the file holds no usable "Version" value ("incorrect data found").
std::optional<VersionFile> ReadVersionFile(std::string_view text);
