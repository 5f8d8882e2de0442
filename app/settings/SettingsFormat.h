#pragma once
// The byte layout of the settings file: the record's fields one after the
// other, no header and no gaps, integers little-endian. A 16-bit field or
// flag takes 2 bytes, a colour 4, a text 2 bytes of length (unsigned, the
// number of bytes that follow) and then its bytes in the local 8-bit
// encoding, without a terminator.
#include <QByteArray>
#include <QString>

#include "app/settings/SettingsRecord.h"

// Bytes of a record whose ten texts are all empty.
constexpr int kSettingsFixedBytes = 106;
// The longest text a field can hold, in bytes.
constexpr int kSettingsTextMaxBytes = 0xFFFF;
// The longest record: every text at its longest. Reading never needs more.
constexpr int kSettingsMaxBytes = kSettingsFixedBytes + 10 * kSettingsTextMaxBytes;

QByteArray EncodeSettings(const SettingsRecord& record);

// Reads a record from the first byte of data; bytes after it are ignored.
// A field that is not wholly inside data (a short file, or a text length
// running past the end) reads as 0 or empty, and so does every field after it.
SettingsRecord DecodeSettings(const QByteArray& data);

// A text in the local 8-bit encoding, cut at a character boundary to at most
// kSettingsTextMaxBytes bytes.
QByteArray EncodeSettingsText(const QString& text);
