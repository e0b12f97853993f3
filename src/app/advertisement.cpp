#include "app/advertisement.h"

#include "runtime/data.h"
#include "runtime/random.h"
#include "widgets/layer/platform.h"

#ifndef QO_ADV_BASE
#define QO_ADV_BASE "https://example.com"
#endif

namespace lotto {
namespace {

std::uint32_t PlatformTimeOfDay() {
    return static_cast<std::uint32_t>(qo::UtcTimeOfDayMs());
}

} // namespace

void SeedRandomFromClock() {
    // Through the platform, so that tests running on a scripted clock get repeatable tickets.
    qo::SetTimeOfDayHook(&PlatformTimeOfDay);
    qo::Randomize();
}

std::string AdvertisementUrl(std::int32_t page) {
    return std::string(QO_ADV_BASE) + "/adv/adv-" + qo::IntegerToText(page) + ".html";
}

void OpenAdvertisement(std::int32_t page) {
    qo::OpenUrl(AdvertisementUrl(page));
}

} // namespace lotto
