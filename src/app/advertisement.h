#pragma once
// The advertisement pages both the main window and the ticket list open: the random source is
// seeded from the platform's clock, and a page number becomes the site's address. Whether a page
// opens at all is the caller's choice.
#include <cstdint>
#include <string>

namespace lotto {

// Seeds the program-wide random source from the time of day the platform reports.
void SeedRandomFromClock();

// The site's base address + "/adv/adv-" + page + ".html".
std::string AdvertisementUrl(std::int32_t page);

// Asks the desktop to open the page; a failure (no browser, no network) is ignored.
void OpenAdvertisement(std::int32_t page);

} // namespace lotto
