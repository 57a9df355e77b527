#pragma once

#include "testmode/TestModeSettings.h"

#include <QByteArray>

#include <optional>

// Enable/Disable Test Mode: 01 06 11 01 19 04 to enable, 01 06 11 00 18 04 to disable.
QByteArray BuildEnableDisableTestModeFrame(bool enable);

// Set Test Mode Settings: the 13-byte block of the record, 18 bytes in all.
QByteArray BuildSetTestModeSettingsFrame(const TestModeSettings& settings);

// Query Test Mode Settings: 01 05 13 19 04.
QByteArray BuildQueryTestModeSettingsFrame();

// The record carried by a Test Mode Settings reply (the whole frame, start byte first).
// nullopt when the frame (its LEN or its size) is too short to hold the block, so that no
// bytes after its end are taken for register values.
std::optional<TestModeSettings> TestModeSettingsFromReply(const QByteArray& frame);
