#pragma once
// The advertisement pages both the main window and the ticket list open: the random source is
// seeded from the platform's clock, and a page number becomes the site's address. Where no site is
// named, the menu shows the program's own page and a close shows nothing. Whether a page opens at
// all is the caller's choice.
#include <cstdint>
#include <string>

namespace lotto {

// Seeds the program-wide random source from the time of day the platform reports.
void SeedRandomFromClock();

// The site's base address (scheme and host, no trailing "/"): the settings file's ("Сайт" in
// "[Реклама]"), else the one the program was built with; "" when neither names one.
std::string AdvertisementSite();
// The site's base address + "/adv/adv-" + page + ".html"; "" without a site.
std::string AdvertisementUrl(std::int32_t page);

// Asks the desktop to open the page; a failure (no browser, no network) is ignored. Without a
// site, `ownPage` opens the program's own page instead, and otherwise nothing opens.
void OpenAdvertisement(std::int32_t page, bool ownPage);

// The program's own page, in Russian: what it does, its keys, its version (UTF-8 HTML).
std::string OwnPage();
// Where the own page is written before it is shown: the data folder's "Фишкодром.html".
std::string OwnPagePath();
// A file's address for the desktop: "file://" and the path, bytes outside the plain ones escaped.
std::string FileUrl(const std::string& pathUtf8);

} // namespace lotto
