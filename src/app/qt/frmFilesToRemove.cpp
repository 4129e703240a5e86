#include "app/qt/frmFilesToRemove.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/WindowLayout.h"
#include "app/qt/AppIcon.h"
#include "app/qt/WindowFonts.h"
#include "platform/qt/QtText.h"

namespace {

namespace layout = zelk::layout;

using layout::logicalPixels;

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setFixedSize(logicalPixels(layout::kFilesButton.width),
                         logicalPixels(layout::kFilesButton.height));
    return button;
}

}  // namespace

frmFilesToRemove::frmFilesToRemove(const zelk::FilesToRemoveList& list, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName("frmFilesToRemove");
    setWindowTitle(QStringLiteral("Files to remove"));
    setWindowIcon(zelk::appIcon());
    setFont(zelk::windowFont());

    lstFiles = new QTreeWidget(this);
    lstFiles->setObjectName("lstFiles");
    lstFiles->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Size")});
    lstFiles->setRootIsDecorated(false);
    lstFiles->setUniformRowHeights(true);
    lstFiles->setWordWrap(false);
    lstFiles->header()->setSectionsMovable(false);
    lstFiles->header()->setStretchLastSection(false);
    lstFiles->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lstFiles->header()->resizeSection(1, logicalPixels(layout::kFilesSizeColumn));
    lstFiles->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    lstFiles->installEventFilter(this);
    lblTotal = new QLabel(this);
    lblTotal->setObjectName("lblTotal");
    lblTotal->setTextFormat(Qt::PlainText);
    lblTotal->setWordWrap(true);
    lblTotal->setFixedHeight(logicalPixels(layout::kFilesFootHeight));
    lblTotal->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cmdCopy = makeButton(this, "cmdCopy", QStringLiteral("Copy"));
    cmdClose = makeButton(this, "cmdClose", QStringLiteral("Close"));
    cmdClose->setDefault(true);
    connect(cmdCopy, &QPushButton::clicked, this, &frmFilesToRemove::copy);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(logicalPixels(layout::kFilesMargin));
    buttons->addStretch();
    buttons->addWidget(cmdCopy);
    buttons->addWidget(cmdClose);
    auto* column = new QVBoxLayout(this);
    const int margin = logicalPixels(layout::kFilesMargin);
    column->setContentsMargins(margin, margin, margin, margin);
    column->setSpacing(margin);
    column->addWidget(lstFiles, 1);
    column->addWidget(lblTotal);
    column->addLayout(buttons);
    setMinimumSize(logicalPixels(layout::kFilesMinimumClient.width),
                   logicalPixels(layout::kFilesMinimumClient.height));
    resize(logicalPixels(layout::kFilesClient.width), logicalPixels(layout::kFilesClient.height));
    fill(list);
}

void frmFilesToRemove::fill(const zelk::FilesToRemoveList& list) {
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(list.rows.size()));
    for (const zelk::FilesToRemoveList::Row& row : list.rows) {
        auto* item = new QTreeWidgetItem({zelk::toQString(row.name), zelk::toQString(row.size)});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    lstFiles->addTopLevelItems(items);
    lstFiles->setCurrentItem(lstFiles->topLevelItem(0));
    lblTotal->setText(zelk::toQString(list.foot));
    paths_ = zelk::toQString(list.paths);
}

void frmFilesToRemove::showModal() {
    if (const QWidget* owner = parentWidget()) {
        placement_.centreOn(zelk::frameOf(*owner), zelk::frameMarginsOf(*owner));
    }
    lstFiles->setFocus(Qt::OtherFocusReason);
    exec();
}

void frmFilesToRemove::copy() {
    QGuiApplication::clipboard()->setText(paths_);
}

// The list would copy only the name it shows at its cursor.
bool frmFilesToRemove::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstFiles && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copy();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmFilesToRemove::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copy();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
