#pragma once

#include <string>

// The maker's web site; its host is set when the program is built.
std::string WebSiteHost();
std::string HomePageUrl();
std::string HelpUrl();
std::string SupportMailAddress();
std::string SupportMailUrl();

// The environment variable that points the update check at another version file, for tests.
inline constexpr const char* kVersionUrlVariable = "GLIMMERLUX_VERSION_URL";
// The version file on the web site, or `override` when that is an https address.
std::string VersionFileUrl(const char* override);
