#include "dialogs/Links.h"

#include "dialogs/UrlText.h"

#ifndef GLIMMERLUX_WEB_HOST
#error "GLIMMERLUX_WEB_HOST names the maker's web site; the build sets it"
#endif

std::string WebSiteHost() { return GLIMMERLUX_WEB_HOST; }

std::string HomePageUrl() { return "https://" + WebSiteHost() + "/"; }

std::string HelpUrl() { return "https://" + WebSiteHost() + "/glimmerlux/help/"; }

// The mail domain is the site's, without its "www.".
std::string SupportMailAddress() {
  std::string domain = WebSiteHost();
  if (domain.rfind("www.", 0) == 0) domain.erase(0, 4);
  return "support@" + domain;
}

std::string SupportMailUrl() { return "mailto:" + SupportMailAddress(); }

std::string VersionFileUrl(const char* override) {
  if (override != nullptr && IsHttpsUrl(override)) return override;
  return "https://" + WebSiteHost() + "/version/glimmerlux.txt";
}
