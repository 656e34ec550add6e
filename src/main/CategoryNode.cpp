#include "main/CategoryNode.h"

#include "ui/Pictures.h"

namespace {

// Made once: a theme lookup per node would cost more than the node.
const QIcon &picture(int index)
{
    static const QIcon pictures[] = {TreePicture(1), TreePicture(2), TreePicture(3)};
    return pictures[qBound(1, index, 3) - 1];
}

} // namespace

CategoryNode::CategoryNode(qint32 branchId, QString name, int picture)
    : QTreeWidgetItem(QTreeWidgetItem::UserType), m_branchId(branchId), m_name(std::move(name)), m_picture(picture)
{}

QString CategoryNode::Key() const
{
    return QStringLiteral("BR ") + QString::number(m_branchId);
}

void CategoryNode::SetPicture(int picture)
{
    if (picture == m_picture)
        return;
    m_picture = picture;
    emitDataChanged();
}

QVariant CategoryNode::data(int column, int role) const
{
    if (column == 0) {
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return m_name;
        case Qt::DecorationRole:
            return picture(m_picture);
        case KeyRole:
            return Key();
        default:
            break;
        }
    }
    return QTreeWidgetItem::data(column, role);
}
