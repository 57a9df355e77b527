#pragma once

#include "testmode/TestModeSettings.h"

#include <QByteArray>

#include <optional>

// The 13-byte test mode settings block, the payload of Set Test Mode Settings and of
// the module's Test Mode Settings reply.
//
// Encoding expects every field in its range. A value wider than its bits is cut to
// them, so that it can never spill into a neighbouring field. The reserved byte is 0.
QByteArray EncodeTestModeSettings(const TestModeSettings& settings);

// Reads the first 13 bytes of block; nullopt when it holds fewer. Values are taken as
// the module sent them, without range checks: a code with no list entry, a Main A
// divider coefficient above 31 or a TCOUNT above 31 comes back unchanged. The reserved
// byte and the unused top bits of the Register D word are not read.
std::optional<TestModeSettings> DecodeTestModeSettings(const QByteArray& block13);
