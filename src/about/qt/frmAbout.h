#pragma once

#include <QDialog>

#include "app/qt/CentredPlacement.h"

class QLabel;

// The About window: title, description, copyright, e-mail address and version. It has no
// buttons; a click on its surface (not on a label) closes it, and so does the title bar's close
// button. Esc does not.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

    // Sets the texts that are filled in each time the window is loaded.
    void load();

    // Loads the window and shows it modally; returns once it has been closed.
    void showModal(const QWidget* centreOver = nullptr);

    static QString versionText();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* lblTitle = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* lblEmail = nullptr;
    QLabel* lblVersion = nullptr;
    zelk::CentredPlacement placement_{*this};
};
