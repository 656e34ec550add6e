#include "ui/Pictures.h"

#include <QApplication>
#include <QStyle>

namespace {

struct Picture
{
    const char *themeName;
    QStyle::StandardPixmap fallback;
};

QIcon picture(const Picture &p)
{
    return QIcon::fromTheme(QString::fromLatin1(p.themeName), QApplication::style()->standardIcon(p.fallback));
}

// Some style pictures come only in small sizes, and an icon is never scaled up: drawn from its
// largest size, every toolbar picture fills the same square, so the captions line up.
QIcon squared(const QIcon &icon, int size)
{
    QSize largest;
    for (const QSize &available : icon.availableSizes()) {
        if (available.width() > largest.width())
            largest = available;
    }
    const QPixmap pixmap = icon.pixmap(largest.isValid() ? largest : QSize(size, size));
    if (pixmap.isNull())
        return icon;
    return QIcon(pixmap.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

} // namespace

QIcon ToolbarPicture(int index)
{
    static const Picture pictures[] = {
        {"applications-internet", QStyle::SP_DriveNetIcon},   // 1 web window
        {"edit-find", QStyle::SP_FileDialogContentsView},     // 2 search
        {"list-add", QStyle::SP_FileDialogNewFolder},         // 3 add
        {"internet-web-browser", QStyle::SP_ComputerIcon},    // 4 browser
        {"view-refresh", QStyle::SP_BrowserReload},           // 5 refresh
        {"application-exit", QStyle::SP_DialogCloseButton},   // 6 exit
        {"document-edit", QStyle::SP_FileDialogDetailedView}, // 7 update
        {"go-previous", QStyle::SP_ArrowBack},                // 8 back
        {"go-next", QStyle::SP_ArrowForward},                 // 9 forward
        {"edit-delete", QStyle::SP_TrashIcon},                // 10 delete place
        {"folder-remove", QStyle::SP_DialogDiscardButton},    // 11 delete category
    };
    if (index < 1 || index > int(std::size(pictures)))
        return QIcon();
    return squared(picture(pictures[index - 1]), 25);
}

QIcon TreePicture(int index)
{
    static const Picture pictures[] = {
        {"folder-home", QStyle::SP_DirHomeIcon}, // 1 root
        {"folder", QStyle::SP_DirClosedIcon},    // 2 closed category
        {"folder-open", QStyle::SP_DirOpenIcon}, // 3 open category
    };
    if (index < 1 || index > int(std::size(pictures)))
        return QIcon();
    return picture(pictures[index - 1]);
}
