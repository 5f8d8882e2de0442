#pragma once
// Text pieces of the album pages: colour texts, escaping of file-name values
// and the single-byte encoding the pages are written in.
#include <QByteArray>
#include <QString>

#include "platform/drawing/ColorValue.h"

// "#RRGGBB" from the low 24 bits of a colour value (0x00BBGGRR); a system
// colour is written from its low 24 bits like any other value.
QString HtmlColorText(ColorValue color);

// Every "%20" (left to right, case-sensitive) becomes "%2520"; nothing else
// changes. Used for the alternative text; links go through EscapeLinkPath.
QString EscapePercent20(const QString& text);

// A relative path built from file names (folders joined with "/") as the
// value of an href or src attribute, so that a browser reaches that file.
// First the characters a URL parser would not keep as part of the name are
// percent-encoded from their UTF-8 bytes: "%" before two hex digits, "#", "?",
// "\", control characters (C0, DEL and C1), a blank at either end (the parser
// strips it) and a ":" that would make the start read as a scheme ("photo:1").
// Then the result is markup-escaped. Every other character stays as it is, so
// an ordinary name is only markup-escaped; EncodePageText comes last, because
// the character references it writes contain "#".
QString EscapeLinkPath(const QString& path);

// "&", "<", ">" and '"' as character references, so a file name cannot end an
// attribute or open an element.
QString EscapeMarkup(const QString& text);

// Single-byte page text: characters up to U+00FF are one byte each, every
// other character is a decimal numeric character reference ("&#1092;"), so
// nothing is lost. No byte-order mark.
QByteArray EncodePageText(const QString& text);
