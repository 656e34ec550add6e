#include "ui/Pictures.h"

#include <QFile>

// Outside any namespace, as the resource initialiser requires.
static void initPictureResources()
{
    Q_INIT_RESOURCE(pictures);
}

namespace {

struct Picture
{
    const char *name;    // the freedesktop icon name
    const char *context; // the bundled theme's folder that holds it
};

QString bundledFile(const Picture &p)
{
    const QString drawing = QStringLiteral("%1/%2/scalable/%3/%4.")
                                .arg(QLatin1StringView(BundledThemePath), QLatin1StringView(BundledThemeName),
                                     QLatin1StringView(p.context), QLatin1StringView(p.name));
    // A build for a Qt without its SVG module bundles the drawings as bitmaps.
    const QString scalable = drawing + QStringLiteral("svg");
    return QFile::exists(scalable) ? scalable : drawing + QStringLiteral("png");
}

// hicolor is every desktop's last fallback, holding programs' own icons rather than a look a
// user chose, so a desktop that names only it has no theme of its own. Its index lists several
// hundred folders; reading it for nothing cost the start about a tenth of its time.
bool desktopHasTheme()
{
    const QString name = QIcon::themeName();
    return !name.isEmpty() && name != QLatin1StringView("hicolor") && name != QLatin1StringView(BundledThemeName);
}

QIcon picture(const Picture &p)
{
    UsePictureTheme();
    if (desktopHasTheme()) {
        const QString name = QString::fromLatin1(p.name);
        // A theme that lacks a name answers with a more general one ("folder" for "folder-remove"):
        // such a stand-in would make two buttons look alike, so the bundled drawing is taken instead.
        const QIcon themed = QIcon::fromTheme(name);
        if (!themed.isNull() && themed.name() == name && !themed.availableSizes().isEmpty())
            return themed;
    }
    return QIcon(bundledFile(p));
}

} // namespace

void UsePictureTheme()
{
    static const bool done = [] {
        initPictureResources();
        QStringList paths = QIcon::themeSearchPaths();
        if (!paths.contains(QLatin1StringView(BundledThemePath)))
            paths.append(QString::fromLatin1(BundledThemePath));
        QIcon::setThemeSearchPaths(paths);
        QIcon::setFallbackThemeName(QString::fromLatin1(BundledThemeName));
        if (!desktopHasTheme())
            QIcon::setThemeName(QString::fromLatin1(BundledThemeName));
        return true;
    }();
    Q_UNUSED(done);
}

QIcon ToolbarPicture(int index)
{
    static const Picture pictures[] = {
        {"applications-internet", "categories"}, // 1 web window
        {"edit-find", "actions"},                // 2 search
        {"list-add", "actions"},                 // 3 add
        {"internet-web-browser", "apps"},        // 4 system web browser
        {"view-refresh", "actions"},             // 5 refresh
        {"application-exit", "actions"},         // 6 exit
        {"document-edit", "actions"},            // 7 update
        {"go-previous", "actions"},              // 8 back
        {"go-next", "actions"},                  // 9 forward
        {"edit-delete", "actions"},              // 10 delete place
        {"folder-remove", "actions"},            // 11 delete category
    };
    if (index < 1 || index > int(std::size(pictures)))
        return QIcon();
    return picture(pictures[index - 1]);
}

QIcon TreePicture(int index)
{
    static const Picture pictures[] = {
        {"folder-home", "places"}, // 1 root
        {"folder", "places"},      // 2 closed category
        {"folder-open", "places"}, // 3 open category
    };
    if (index < 1 || index > int(std::size(pictures)))
        return QIcon();
    return picture(pictures[index - 1]);
}

QIcon ApplicationPicture()
{
    return picture({"org.tarnwick.Tarnwick", "apps"});
}
