#include "config/NumericBoxSpec.h"

#include <QLatin1String>

namespace {

constexpr NumericBoxSpec Box(const char* name, int bits, qint32 minimum, qint32 maximum,
                             int maxChars, bool marksPending, const char* spinName = "",
                             qint32 spinStep = 0)
{
    return NumericBoxSpec{name, bits, {minimum, maximum, maxChars, marksPending}, spinName, spinStep};
}

constexpr bool kPending = true;
constexpr bool kNoColour = false;
constexpr int kAnyLength = 0;

}  // namespace

const std::array<NumericBoxSpec, 16> kNumericBoxSpecs = {
    Box("txtTransceiverID2", 32, 0, 65535, 5, kPending),
    Box("txtNetworkID2", 32, 0, 65535, 5, kPending),
    Box("txtSystemID2", 32, 0, 65535, 5, kPending),
    Box("txtSetHopTable2", 16, 0, 15, 2, kPending, "UpDownSetHopTable2", 1),
    Box("txtSetRFRetries2", 16, 0, 20, 2, kPending),
    Box("txtRFSingleChannel2", 16, 0, 49, 2, kPending, "updownRfSingleChannel2", 1),
    Box("txtDestinationID", 32, 0, 65535, 5, kNoColour),
    Box("txtPacketID", 16, 0, 255, 3, kNoColour),
    Box("txtRepeatDelay", 16, 100, 10000, 5, kNoColour, "updownRepeatDelay", 100),
    Box("txtMainADividerCoefficient0", 16, 0, 31, kAnyLength, kNoColour,
        "UpDownMainADividerCoefficient0", 1),
    Box("txtMainBDividerCoefficient0", 16, 0, 511, kAnyLength, kNoColour,
        "UpDownMainBDividerCoefficient0", 1),
    Box("txtMainADividerCoefficient1", 16, 0, 31, kAnyLength, kNoColour,
        "UpDownMainADividerCoefficient1", 1),
    Box("txtMainBDividerCoefficient1", 16, 0, 511, kAnyLength, kNoColour,
        "UpDownMainBDividerCoefficient1", 1),
    Box("txtReferenceDividerCoefficient", 16, 0, 255, kAnyLength, kNoColour,
        "UpDownReferenceDividerCoefficient", 1),
    Box("txtDemTune", 16, 0, 7, kAnyLength, kNoColour, "UpDownDemTune", 1),
    Box("txtTCOUNT", 16, 0, 31, kAnyLength, kNoColour, "UpDownTCOUNT", 1),
};

NumericBoxSpec NumericBoxSpecFor(const QString& boxName)
{
    for (const NumericBoxSpec& spec : kNumericBoxSpecs) {
        if (boxName == QLatin1String(spec.boxName))
            return spec;
    }
    return NumericBoxSpec{};
}
