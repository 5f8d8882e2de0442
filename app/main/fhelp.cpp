#include "app/main/fhelp.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/main/ProgramInfo.h"
#include "platform/shell/OpenDocument.h"

QString fhelp::HelpText() {
  const QString cr(QChar(13));
  const QString name = QString::fromLatin1(ProgramInfo::kProgramName);
  return cr + cr + cr + cr +
         QStringLiteral(" Using the ") + name +
         QStringLiteral(" program is quite easy. Follow the circled numbers on the main screen:") +
         cr + cr +
         QStringLiteral(" 1) - Select the source folder which contains the images from which you wish to make "
                        "thumbnail images, as well as the"
                        " destination folder in which you want the new thumbnail images to be created. You may "
                        "also select a file mask if needed. 27 different input file formats are supported.") +
         cr + cr +
         QStringLiteral(" 2) - Here you can select and preview the image files you wish to convert into thumbnail "
                        "images. Multiple selections can be made by holding down the <CTRL> key, and selecting the"
                        " desired files with the mouse. For a full-size preview of the selected image, DblClick on "
                        "the preview image.") +
         cr + cr +
         QStringLiteral(" 3) - Here you can select such options as Thumbnail Resize Mode, Thumbnail dimensions, "
                        "Output File Format, and an optional prefix for the thumbnail file(s). In most cases,"
                        " these options can remain at default settings. Resize mode settings are "
                        "self-explanatory, as are Output Format and Width/Height settings. The Output File Prefix "
                        "box allows"
                        " you to set a unique prefix in the output file name(s) so that they will not conflict "
                        "with nor replace other files. You may also choose from 6 different industry-standard"
                        " resample filters in order to achieve the best image quality.") +
         cr + cr + QStringLiteral(" 4) - Start or Stop the creation of thumbnail images.") +
         cr + cr + QStringLiteral(" -----------------------------------------------------------------------") +
         cr + cr +
         QStringLiteral(" This program utilizes portions of the Freeimage Image library. For more"
                        " information, visit ") +
         QString::fromLatin1(ProgramInfo::kImageLibraryWebSite);
}

fhelp::fhelp(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("fhelp"));
  setAttribute(Qt::WA_DeleteOnClose);
  const QString name = QString::fromLatin1(ProgramInfo::kProgramName);
  setWindowTitle(name);

  // The text starts with empty lines: the header sits in that space, over the text.
  lblAbout_ = new QLabel(this);
  lblAbout_->setObjectName(QStringLiteral("lblAbout"));
  lblAbout_->setWordWrap(true);
  lblAbout_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblAbout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblAbout_->setText(HelpText().replace(QChar(13), QChar(10)));
  lblAbout_->setFixedWidth(560);

  lblHeader_ = new QLabel(QStringLiteral("Using ") + name + QStringLiteral(":"), this);
  lblHeader_->setObjectName(QStringLiteral("lblHeader"));
  QFont headerFont = lblHeader_->font();
  headerFont.setBold(true);
  headerFont.setPointSizeF(headerFont.pointSizeF() * 1.5);
  lblHeader_->setFont(headerFont);

  cmdVisit_ = new QPushButton(QStringLiteral("Visit ") + QString::fromLatin1(ProgramInfo::kMakerName), this);
  cmdVisit_->setObjectName(QStringLiteral("cmdVisit"));
  connect(cmdVisit_, &QPushButton::clicked, this,
          [] { OpenDocument(QString::fromLatin1(ProgramInfo::kMakerWebSite)); });

  auto* text = new QGridLayout;
  text->addWidget(lblAbout_, 0, 0, Qt::AlignTop);
  text->addWidget(lblHeader_, 0, 0, Qt::AlignTop | Qt::AlignLeft);
  auto* buttonRow = new QHBoxLayout;  // equal stretch on both sides centres the button
  buttonRow->addStretch(1);
  buttonRow->addWidget(cmdVisit_);
  buttonRow->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(text);
  layout->addLayout(buttonRow);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}
