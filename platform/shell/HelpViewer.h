#pragma once
// The help viewer: a window that shows the help file's topics (the Contents
// page) and searches its keywords (the Index page). One window serves the
// program; asking again reuses it. ShowHelp goes through a replaceable
// handler, so tests can see what would be shown.
#include <QString>
#include <QWidget>
#include <functional>

#include "platform/shell/HelpFile.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

enum class HelpCommand {
  Contents,    // the topics, first topic shown
  PartialKey,  // the keyword search, its box holding the key
};

struct HelpRequest {
  QString helpFile;
  HelpCommand command = HelpCommand::Contents;
  QString key;
};

// Empty on success, otherwise the description of what went wrong.
using HelpHandler = std::function<QString(const HelpRequest& request)>;

// Opens (or reuses) the help window, owned by owner, for request.
QString ShowHelp(const HelpRequest& request, QWidget* owner);
// Replaces the handler (an empty one restores the real window); returns the old one.
HelpHandler SetHelpHandler(HelpHandler handler);

class HelpViewer : public QWidget {
  Q_OBJECT
 public:
  explicit HelpViewer(QWidget* parent = nullptr);

  // Reads the help file; the window keeps what it showed when this fails.
  bool Load(const QString& path, QString* error);
  void ShowContents();
  void ShowSearch(const QString& key);

  const HelpDocument& document() const { return document_; }
  int currentTopic() const { return currentTopic_; }

 private:
  void ShowTopic(int topic);
  void FillIndex(const QString& typed);

  HelpDocument document_;
  QVector<HelpIndexEntry> index_;
  int currentTopic_ = -1;
  QTabWidget* tabs_ = nullptr;
  QListWidget* lstTopics_ = nullptr;
  QLineEdit* txtSearch_ = nullptr;
  QListWidget* lstKeywords_ = nullptr;
  QTextBrowser* txtTopic_ = nullptr;
};
