#include "data/setup/InterfaceLanguage.h"
#include "data/setup/SiteSettings.h"
#include "editing/frmAdd.h"
#include "editing/frmUpdate.h"
#include "main/BrowsingFixture.h"
#include "main/frmMain.h"
#include "search/FrmSearch.h"
#include "support/Captions.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"
#include "ui/FormFont.h"
#include "ui/LayoutDirection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLayout>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QRawFont>
#include <QRegularExpression>
#include <QStyle>

#include <memory>

namespace {

// Where the window's own controls stand: each control it named whose parent lays out nothing
// (not Qt's own parts, "qt_..."), by its parent's name and its own, in its parent.
QMap<QString, QRect> placements(QWidget *window)
{
    QMap<QString, QRect> placed;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        QWidget *parent = control->parentWidget();
        const QString name = control->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1StringView("qt_")) && !control->isWindow() && !parent->layout())
            placed.insert(parent->objectName() + QLatin1Char('/') + name, control->geometry());
    }
    return placed;
}

} // namespace

// The interface in Arabic: every window laid out as the mirror of its English self, every text
// whole and in faces that have its letters, at the scale of the run (100 % and 200 %).
class TestInterfaceLanguage : public QObject
{
    Q_OBJECT

    std::unique_ptr<frmMain> m_main;
    std::unique_ptr<QWidget> m_window;

    QWidget *open(const QString &which)
    {
        m_window.reset();
        m_main = std::make_unique<frmMain>();
        if (which == QLatin1StringView("main"))
            return m_main.get();
        if (which == QLatin1StringView("search"))
            m_window = std::make_unique<FrmSearch>(*m_main);
        else if (which == QLatin1StringView("add"))
            m_window = std::make_unique<frmAdd>();
        else
            m_window = std::make_unique<frmUpdate>();
        return m_window.get();
    }

private Q_SLOTS:
    void initTestCase() { BrowsingFixture::Load(); }

    void cleanup()
    {
        m_window.reset();
        m_main.reset();
        UseInterfaceLanguage(QStringLiteral("en"));
    }

    void mirroredAndWhole_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("arabicTitle");
        QTest::newRow("main window") << "main"
                                     << "Tarnwick";
        QTest::newRow("Find Place") << "search"
                                    << "البحث عن مكان";
        QTest::newRow("Add New Information") << "add"
                                             << "إضافة معلومات جديدة";
        QTest::newRow("update window") << "update"
                                       << "إضافة معلومات جديدة";
    }

    void mirroredAndWhole()
    {
        QFETCH(QString, which);
        QFETCH(QString, arabicTitle);
        QWidget *english = open(which);
        QVERIFY(english->isLeftToRight());
        const QMap<QString, QRect> leftToRight = placements(english);

        QVERIFY(UseInterfaceLanguage(QStringLiteral("ar")));
        QWidget *window = open(which);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->windowTitle(), arabicTitle);
        QVERIFY(window->isRightToLeft());
        const QMap<QString, QRect> rightToLeft = placements(window);
        QCOMPARE(rightToLeft.keys(), leftToRight.keys());
        for (auto placed = leftToRight.cbegin(); placed != leftToRight.cend(); ++placed) {
            const QWidget *parent =
                window->findChild<QWidget *>(placed.key().section(QLatin1Char('/'), 1))->parentWidget();
            QCOMPARE(rightToLeft.value(placed.key()),
                     QStyle::visualRect(Qt::RightToLeft, parent->rect(), placed.value()));
        }

        QStringList cut;
        for (QWidget *control : window->findChildren<QWidget *>()) {
            if (!control->isVisible())
                continue;
            for (const QString &problem :
                 {Captions::Clipped(control), Captions::Undrawn(control, QStringLiteral("مُحمد أحمد"))}) {
                if (!problem.isEmpty())
                    cut.append(problem);
            }
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
    }

    // The faces the forms ask for have every Arabic letter and mark themselves: no empty boxes,
    // whatever else the system has.
    void formFontsHaveArabic()
    {
        const QString alphabet = QStringLiteral("ءآأؤإئابةتثجحخدذرزسشصضطظعغـفقكلمنهوىيًٌٍَُِّْ،؛؟٠١٢٣٤٥٦٧٨٩");
        for (const QFont &font : {CaptionFont(), ListFont(), FormFont(8.25, false)}) {
            const QRawFont face = QRawFont::fromFont(font, QFontDatabase::Arabic);
            QVERIFY2(font.families().contains(face.familyName()), qPrintable(face.familyName()));
            for (const QChar letter : alphabet)
                QVERIFY2(face.supportsCharacter(letter), qPrintable(QString(letter)));
        }
    }

    // Message boxes read right to left, with Qt's own buttons in Arabic.
    void messageBox()
    {
        QVERIFY(UseInterfaceLanguage(QStringLiteral("ar")));
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("حذف مكان"), QStringLiteral("هل أنت متأكد"),
                        QMessageBox::Yes | QMessageBox::No);
        QVERIFY(box.isRightToLeft());
        QCOMPARE(Captions::Shown(box.button(QMessageBox::Yes)->text()), QStringLiteral("نعم"));
    }

    // The run's system speaks Arabic (LANG=ar_EG.UTF-8, the test's command).
    void chosen_data()
    {
        QTest::addColumn<QStringList>("preferred");
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("language");
        QTest::newRow("Arabic, Egypt") << QStringList{"ar-EG", "ar"} << ""
                                       << "ar";
        QTest::newRow("a language without a catalogue") << QStringList{"fr-FR", "fr"} << ""
                                                        << "en";
        QTest::newRow("English before Arabic") << QStringList{"en-GB", "ar"} << ""
                                               << "en";
        QTest::newRow("Arabic after one without a catalogue") << QStringList{"fr", "ar-SA"} << ""
                                                              << "ar";
        QTest::newRow("no language") << QStringList{"C"} << ""
                                     << "en";
        QTest::newRow("the system's") << QStringList() << ""
                                      << "ar";
        QTest::newRow("set to English") << QStringList() << "en"
                                        << "en";
        QTest::newRow("set to Arabic") << QStringList() << "ar_EG"
                                       << "ar";
        QTest::newRow("set to one without a catalogue") << QStringList() << "de"
                                                        << "en";
        QTest::newRow("set to no language") << QStringList() << "Arabic!"
                                            << "ar";
    }

    void chosen()
    {
        QFETCH(QStringList, preferred);
        QFETCH(QString, setting);
        QFETCH(QString, language);
        QCOMPARE(Processing::SpokenLanguages(), QStringList({"en", "ar"}));
        if (!preferred.isEmpty()) {
            QCOMPARE(Processing::ChooseLanguage(preferred, Processing::SpokenLanguages()), language);
            return;
        }
        // The settings file's choice is over the system's.
        QFile file(Processing::SettingsFiles().constFirst());
        QDir().mkpath(QFileInfo(file).absolutePath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        if (!setting.isEmpty())
            file.write("[Interface]\nlanguage=" + setting.toUtf8() + "\n");
        file.close();
        if (setting == QLatin1StringView("Arabic!"))
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("names no language")));
        QCOMPARE(Processing::ConfiguredLanguage(), language);
        QVERIFY(file.remove());
    }
};

TARNWICK_TEST_MAIN(TestInterfaceLanguage)
#include "tst_interface_language.moc"
