#pragma once

#include <QDialog>

#include "app/RemovalPreview.h"
#include "app/qt/CentredPlacement.h"

class QLabel;
class QPushButton;
class QTreeWidget;

// The window "Files to remove": every file the latest Scan listed, in removal order, one line
// each with its size, their count and total size at the foot, and the buttons Copy (the full
// paths to the clipboard; Ctrl+C too) and Close (Esc too). It only shows: nothing in it changes
// the list or deletes a file. Resizable; its size is remembered nowhere.
class frmFilesToRemove : public QDialog {
    Q_OBJECT

public:
    frmFilesToRemove(const zelk::FilesToRemoveList& list, QWidget* owner);

    // Shows the window modally, centred on its owner; returns once it has been closed.
    void showModal();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fill(const zelk::FilesToRemoveList& list);
    // Puts the full paths on the clipboard, one a line.
    void copy();

    QString paths_;
    QTreeWidget* lstFiles = nullptr;
    QLabel* lblTotal = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdClose = nullptr;
    zelk::CentredPlacement placement_{*this};
};
