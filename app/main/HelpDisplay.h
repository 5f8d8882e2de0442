#pragma once
// The main window's Help menu: "Help Topics" and "Search For Help on......"
// open the help file in the help viewer; without a help file they say so.
#include <QString>

class QWidget;

// The help file installed with the program; empty when there is none.
QString DefaultHelpFilePath();

// Help Topics: the help file's topics. caption titles the message shown when
// there is no help file (the main window's caption).
void ShowHelpTopics(QWidget* owner, const QString& helpFile, const QString& caption);
// Search For Help on: the keyword search with an empty search box.
void SearchForHelp(QWidget* owner, const QString& helpFile, const QString& caption);
