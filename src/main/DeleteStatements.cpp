#include "main/DeleteStatements.h"

#include <QRegularExpression>

namespace {

// The identifier text of a key: the key from its third character on, provided the key is the
// given prefix followed by a number written the way the program writes it.
std::optional<QString> identifierText(const QString &key, const QRegularExpression &form)
{
    if (!form.match(key).hasMatch())
        return std::nullopt;
    return key.mid(2);
}

} // namespace

std::optional<QStringList> DeletePlaceStatements(const QString &placeKey)
{
    static const QRegularExpression form(QStringLiteral("\\ALF(0|[1-9][0-9]*)\\z"));
    const std::optional<QString> id = identifierText(placeKey, form);
    if (!id)
        return std::nullopt;
    return QStringList{QStringLiteral("Delete from Places_Branch_Leaves where Leaf_ID =") + *id,
                       QStringLiteral("Delete from Places_Leaves where Leaf_ID =") + *id};
}

std::optional<QString> DeleteCategoryStatement(const QString &nodeKey)
{
    static const QRegularExpression form(QStringLiteral("\\ABR (0|[1-9][0-9]*)\\z"));
    const std::optional<QString> id = identifierText(nodeKey, form);
    if (!id)
        return std::nullopt;
    return QStringLiteral("Delete from Places_root where Branch_ID =") + *id;
}
