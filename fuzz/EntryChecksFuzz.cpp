// The settings dialog's entry checks for any entry over any setting: an
// accepted entry gives a usable setting, and a refused one keeps the setting
// when the dialog can show it again without refusing it once more, else the
// default goes back (no endless warnings).
#include "fuzz/FuzzInput.h"
#include "settings/EntryChecks.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in{data, size};
    bool isNumber = in.Take(1) & 1;
    std::uint32_t entry = in.Take(4), interval = in.Take(4), percent = in.Take(4);

    ImagesEntry images = CheckImagesEntry(isNumber, entry, interval);
    if (!images.Refused)
        FuzzCheck(images.TimerInterval >= 1 && images.TimerInterval <= 1000, "an accepted rate gives 1 to 1000 ms");
    else if (ImagesPerSecFor(interval) >= MIN_IMAGES_PER_SEC && ImagesPerSecFor(interval) <= MAX_IMAGES_PER_SEC)
        FuzzCheck(images.TimerInterval == interval, "a refused rate keeps a setting the dialog can show");
    else
        FuzzCheck(images.TimerInterval == DEFAULT_TIMER_INTERVAL, "a refused rate puts a setting shown as 0 back");

    SizeEntry sized = CheckSizeEntry(isNumber, entry, static_cast<double>(percent) * 0.01);
    FuzzCheck(PercentFor(sized.RadiusFactor) <= MAX_OBJECT_SIZE_PERCENT, "the size shown is always acceptable");
    if (sized.Refused)
        FuzzCheck(!CheckSizeEntry(true, PercentFor(sized.RadiusFactor), sized.RadiusFactor).Refused,
                  "the size shown again is accepted");
    return 0;
}
