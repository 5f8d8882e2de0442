#include "platform/shell/HelpViewer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

HelpHandler& Handler() {
  static HelpHandler handler;
  return handler;
}

QPointer<HelpViewer>& OpenViewer() {
  static QPointer<HelpViewer> viewer;
  return viewer;
}

constexpr int kTopicRole = Qt::UserRole;

}  // namespace

QString ShowHelp(const HelpRequest& request, QWidget* owner) {
  if (Handler()) return Handler()(request);
  QPointer<HelpViewer>& viewer = OpenViewer();
  if (viewer && viewer->parentWidget() != owner) viewer->deleteLater();
  const bool created = !viewer || viewer->parentWidget() != owner;
  HelpViewer* window = created ? new HelpViewer(owner) : viewer.data();
  QString error;
  if (!window->Load(request.helpFile, &error)) {
    if (created) delete window;
    return error;
  }
  viewer = window;
  if (request.command == HelpCommand::PartialKey)
    window->ShowSearch(request.key);
  else
    window->ShowContents();
  window->show();
  window->raise();
  window->activateWindow();
  return QString();
}

HelpHandler SetHelpHandler(HelpHandler handler) {
  HelpHandler old = std::move(Handler());
  Handler() = std::move(handler);
  return old;
}

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("HelpViewer"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Help"));
  resize(860, 580);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("tabs"));

  lstTopics_ = new QListWidget(tabs_);
  lstTopics_->setObjectName(QStringLiteral("lstTopics"));
  tabs_->addTab(lstTopics_, QStringLiteral("Contents"));

  auto* indexPage = new QWidget(tabs_);
  auto* indexLayout = new QVBoxLayout(indexPage);
  auto* prompt = new QLabel(QStringLiteral("Type the first few letters of the word you're looking for:"), indexPage);
  prompt->setWordWrap(true);
  txtSearch_ = new QLineEdit(indexPage);
  txtSearch_->setObjectName(QStringLiteral("txtSearch"));
  prompt->setBuddy(txtSearch_);
  lstKeywords_ = new QListWidget(indexPage);
  lstKeywords_->setObjectName(QStringLiteral("lstKeywords"));
  indexLayout->addWidget(prompt);
  indexLayout->addWidget(txtSearch_);
  indexLayout->addWidget(lstKeywords_);
  tabs_->addTab(indexPage, QStringLiteral("Index"));

  txtTopic_ = new QTextBrowser(this);
  txtTopic_->setObjectName(QStringLiteral("txtTopic"));
  txtTopic_->setOpenExternalLinks(true);

  auto* splitter = new QSplitter(this);
  splitter->addWidget(tabs_);
  splitter->addWidget(txtTopic_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({260, 600});
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(splitter);

  connect(lstTopics_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) ShowTopic(row);
  });
  connect(txtSearch_, &QLineEdit::textChanged, this, &HelpViewer::FillIndex);
  connect(lstKeywords_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item) ShowTopic(item->data(kTopicRole).toInt());
  });
  // Enter in the search box shows the first matching entry.
  connect(txtSearch_, &QLineEdit::returnPressed, this, [this] {
    if (lstKeywords_->count() > 0) lstKeywords_->setCurrentRow(0);
  });
}

bool HelpViewer::Load(const QString& path, QString* error) {
  HelpDocument document;
  if (!ReadHelpFile(path, &document, error)) return false;
  document_ = std::move(document);
  index_ = KeywordIndex(document_);
  setWindowTitle(document_.title.isEmpty() ? QStringLiteral("Help") : document_.title);
  const QSignalBlocker block(lstTopics_);
  lstTopics_->clear();
  for (const HelpTopic& topic : document_.topics) lstTopics_->addItem(topic.title);
  currentTopic_ = -1;
  FillIndex(txtSearch_->text());
  return true;
}

void HelpViewer::ShowContents() {
  tabs_->setCurrentIndex(0);
  lstTopics_->setCurrentRow(0);
  ShowTopic(0);
  lstTopics_->setFocus();
}

void HelpViewer::ShowSearch(const QString& key) {
  tabs_->setCurrentIndex(1);
  txtSearch_->setText(key);
  FillIndex(key);
  txtSearch_->setFocus();
}

void HelpViewer::ShowTopic(int topic) {
  if (topic < 0 || topic >= document_.topics.size()) return;
  currentTopic_ = topic;
  txtTopic_->setHtml(TopicHtml(document_.topics[topic]));
  if (lstTopics_->currentRow() != topic) {
    const QSignalBlocker block(lstTopics_);
    lstTopics_->setCurrentRow(topic);
  }
}

void HelpViewer::FillIndex(const QString& typed) {
  const QSignalBlocker block(lstKeywords_);
  lstKeywords_->clear();
  for (int i = 0; i < index_.size(); ++i) {
    const HelpIndexEntry& entry = index_[i];
    if (!KeywordMatches(entry.keyword, typed)) continue;
    // A keyword of several topics names its topic on each entry.
    const bool shared = (i > 0 && index_[i - 1].keyword.compare(entry.keyword, Qt::CaseInsensitive) == 0) ||
                        (i + 1 < index_.size() &&
                         index_[i + 1].keyword.compare(entry.keyword, Qt::CaseInsensitive) == 0);
    auto* item = new QListWidgetItem(
        shared ? QStringLiteral("%1 - %2").arg(entry.keyword, document_.topics[entry.topic].title) : entry.keyword,
        lstKeywords_);
    item->setData(kTopicRole, entry.topic);
  }
  // Typing moves to the first matching entry and shows its topic.
  if (!typed.trimmed().isEmpty() && lstKeywords_->count() > 0) {
    lstKeywords_->setCurrentRow(0);
    ShowTopic(lstKeywords_->item(0)->data(kTopicRole).toInt());
  }
}
