#include "editing/frmAdd.h"
#include "editing/frmUpdate.h"
#include "main/BrowsingFixture.h"
#include "main/frmMain.h"
#include "search/FrmSearch.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QAccessible>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QPointer>

#include <memory>

using namespace BrowsingFixture;

namespace {

// The roles of what a user operates or reads a value from; labels, panels, scroll bars and the
// cells inside a list are not controls of their own.
bool isControl(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::Table:
    case QAccessible::Grouping:
        return true;
    default:
        return false;
    }
}

struct Announced
{
    QAccessible::Role role;
    QString name;
};

// Every visible control of a window as a screen reader finds it, walking the window's
// accessibility tree: by object name, with its role and name.
QHash<QString, Announced> controlsOf(QWidget *window)
{
    QHash<QString, Announced> controls;
    QList<QAccessibleInterface *> pending{QAccessible::queryAccessibleInterface(window)};
    while (!pending.isEmpty()) {
        QAccessibleInterface *item = pending.takeFirst();
        if (!item || !item->isValid() || item->state().invisible)
            continue;
        const QAccessible::Role role = item->role();
        if (isControl(role) && item->object()) {
            QString name = item->object()->objectName();
            // A tool button has no name of its own: it is known by its action's.
            if (name.isEmpty() && role == QAccessible::Button)
                name = QStringLiteral("tool button ") + item->text(QAccessible::Name).trimmed();
            controls.insert(name, {role, item->text(QAccessible::Name)});
        }
        // What lies inside a list, tree or box is its content, not further controls.
        if (role == QAccessible::List || role == QAccessible::Tree || role == QAccessible::Table ||
            role == QAccessible::ComboBox || role == QAccessible::EditableText)
            continue;
        for (int i = 0; i < item->childCount(); ++i)
            pending.append(item->child(i));
    }
    return controls;
}

struct Expected
{
    const char *object;
    QAccessible::Role role;
    const char *name;
};

} // namespace

// What a screen reader announces in each window: every control has a name, the label beside it
// ("Place Name, edit text", not "edit text"), its caption, or its role where nothing labels it.
class TestAccessibility : public QObject
{
    Q_OBJECT

    std::unique_ptr<frmMain> m_main;

    // Every control is named, and these by the given names and roles.
    void check(QWidget *window, const QList<Expected> &expected)
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QHash<QString, Announced> controls = controlsOf(window);
        for (auto it = controls.cbegin(); it != controls.cend(); ++it)
            QVERIFY2(!it->name.trimmed().isEmpty(), qPrintable(it.key() + QStringLiteral(" has no accessible name")));
        for (const Expected &e : expected) {
            const QString object = QString::fromLatin1(e.object);
            QVERIFY2(controls.contains(object), e.object);
            QCOMPARE(controls.value(object).role, e.role);
            QCOMPARE(controls.value(object).name.trimmed(), QString::fromLatin1(e.name));
        }
    }

private Q_SLOTS:
    void init()
    {
        Load();
        m_main = std::make_unique<frmMain>();
    }

    void cleanup() { m_main.reset(); }

    void mainWindow()
    {
        check(m_main.get(), {
                                {"CatTree", QAccessible::Tree, "Categories"},
                                {"LstVwPlaces", QAccessible::Tree, "Places"},
                                {"tool button Dinning", QAccessible::Button, "Dinning"},
                                {"tool button Search", QAccessible::Button, "Search"},
                                {"tool button Add", QAccessible::Button, "Add"},
                                {"tool button Internet", QAccessible::Button, "Internet"},
                                {"tool button Refresh", QAccessible::Button, "Refresh"},
                                {"tool button Update", QAccessible::Button, "Update"},
                                {"tool button Delete", QAccessible::Button, "Delete"},
                                {"tool button Back", QAccessible::Button, "Back"},
                                {"tool button Forward", QAccessible::Button, "Forward"},
                                {"tool button Delete Cat", QAccessible::Button, "Delete Cat"},
                                {"tool button Exit", QAccessible::Button, "Exit"},
                            });
        QCOMPARE(QAccessible::queryAccessibleInterface(m_main.get())->text(QAccessible::Name),
                 QStringLiteral("Tarnwick"));
    }

    void searchDialog()
    {
        FrmSearch dialog(*m_main);
        check(&dialog, {
                           {"Frame1", QAccessible::Grouping, "Place Name"},
                           {"TxtPlaceName", QAccessible::EditableText, "Place Name"},
                           {"OptStart", QAccessible::RadioButton, "Starts with"},
                           {"OptEnd", QAccessible::RadioButton, "Ends with"},
                           {"OptContain", QAccessible::RadioButton, "Contains"},
                           {"OptExact", QAccessible::RadioButton, "Exactly"},
                           {"ChkCat", QAccessible::CheckBox, "Category"},
                           {"LstCat", QAccessible::List, "Category"},
                           {"ChkCity", QAccessible::CheckBox, "City"},
                           {"LstCity", QAccessible::List, "City"},
                           {"ChkDistrict", QAccessible::CheckBox, "District"},
                           {"LstDistrict", QAccessible::List, "District"},
                           {"CmdSearch", QAccessible::Button, "Search"},
                           {"CmdCancel", QAccessible::Button, "Cancel"},
                       });
        // The hidden box is no part of what is announced.
        QVERIFY(!controlsOf(&dialog).contains(QStringLiteral("Text3")));
    }

    void addDialog()
    {
        frmAdd dialog;
        check(&dialog, {
                           {"ChkAddPlace", QAccessible::CheckBox, "Add Place"},
                           {"FramePlace", QAccessible::Grouping, "Add New Place"},
                           {"CmbPlaceParent", QAccessible::ComboBox, "Parent Category"},
                           {"TxtPlaceName", QAccessible::EditableText, "Place Name"},
                           {"CmbCity", QAccessible::ComboBox, "City"},
                           {"CmbDistrict", QAccessible::ComboBox, "District"},
                           {"TxtAddress", QAccessible::EditableText, "Address"},
                           {"TxtTelephone", QAccessible::EditableText, "Telephone"},
                           {"TxtMore", QAccessible::EditableText, "More"},
                           {"TxtURL", QAccessible::EditableText, "URL"},
                           {"CmdAddPlace", QAccessible::Button, "Add"},
                           {"ChkAddCat", QAccessible::CheckBox, "Add Category"},
                           {"FrameCat", QAccessible::Grouping, "Add New Category"},
                           {"CmbParentCat", QAccessible::ComboBox, "Parent Category"},
                           {"TxtCatName", QAccessible::EditableText, "Category Name"},
                           {"CmdAddCat", QAccessible::Button, "Add"},
                           {"ChkAddDistrict", QAccessible::CheckBox, "Add District"},
                           {"FrameDistrict", QAccessible::Grouping, "Add New District"},
                           {"CmbCityAdd", QAccessible::ComboBox, "City Name"},
                           {"TxtNewDistrict", QAccessible::EditableText, "District Name"},
                           {"CmdAddDistrict", QAccessible::Button, "Add"},
                           {"Command4", QAccessible::Button, "Close"},
                       });
    }

    void updateWindow()
    {
        QPointer<frmUpdate> window = new frmUpdate;
        check(window, {
                          {"FramePlace", QAccessible::Grouping, "Add New Place"},
                          {"CmbPlaceParent", QAccessible::ComboBox, "Parent Category"},
                          {"TxtPlaceName", QAccessible::EditableText, "Place Name"},
                          {"CmbCity", QAccessible::ComboBox, "City"},
                          {"CmbDistrict", QAccessible::ComboBox, "District"},
                          {"TxtAddress", QAccessible::EditableText, "Address"},
                          {"TxtTelephone", QAccessible::EditableText, "Telephone"},
                          {"TxtMore", QAccessible::EditableText, "More"},
                          {"TxtURL", QAccessible::EditableText, "URL"},
                          {"CmdUpdate", QAccessible::Button, "Update"},
                          {"CmdCancel", QAccessible::Button, "Cancel"},
                      });
        delete window;
    }

    void aComboBoxIsLabelledByItsLabel()
    {
        // The user hears "City" and what is chosen in the box. Qt on Linux names a box with a
        // chosen entry after that entry and tells its label through the "labelled by" relation,
        // which screen readers there follow; elsewhere the label is the name.
        frmAdd dialog;
        auto *city = dialog.findChild<QComboBox *>(QStringLiteral("CmbCity"));
        city->setCurrentIndex(city->findText(QStringLiteral("Cairo")));
        QAccessibleInterface *box = QAccessible::queryAccessibleInterface(city);
        QCOMPARE(box->text(QAccessible::Value), QStringLiteral("Cairo"));
        // Labelled by its label, and by the group box around it.
        QStringList labels;
        for (const auto &[label, relation] : box->relations(QAccessible::Label))
            labels.append(label->object()->objectName() + QLatin1Char('=') + label->text(QAccessible::Name));
        labels.sort();
        QCOMPARE(labels, (QStringList{QStringLiteral("FramePlace=Add New Place"), QStringLiteral("LabelCity=City")}));
#ifndef Q_OS_UNIX
        QCOMPARE(box->text(QAccessible::Name), QStringLiteral("City"));
#endif
    }
};

TARNWICK_TEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
