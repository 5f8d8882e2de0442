#pragma once
// "Create HTML Gallery" (ckHTML) enables "View Gallery" (cmdViewHTML) exactly
// while it is checked.
class QAbstractButton;
class QWidget;

// Makes cmdViewHTML follow ckHTML from now on, starting with its current state.
void ConnectAlbumSwitch(QAbstractButton* ckHTML, QWidget* cmdViewHTML);
