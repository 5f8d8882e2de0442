#pragma once
// Text pieces of the album pages: colour texts, escaping of file-name values
// and the single-byte encoding the pages are written in.
#include <QByteArray>
#include <QString>

#include "platform/drawing/ColorValue.h"

// "#RRGGBB" from the low 24 bits of a colour value (0x00BBGGRR); a system
// colour is written from its low 24 bits like any other value.
QString HtmlColorText(ColorValue color);

// Every "%20" (left to right, case-sensitive) becomes "%2520"; nothing else changes.
QString EscapePercent20(const QString& text);

// "&", "<", ">" and '"' as character references, so a file name cannot end an
// attribute or open an element.
QString EscapeMarkup(const QString& text);

// Single-byte page text: characters up to U+00FF are one byte each, every
// other character is a decimal numeric character reference ("&#1092;"), so
// nothing is lost. No byte-order mark.
QByteArray EncodePageText(const QString& text);
