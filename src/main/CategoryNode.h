#pragma once

#include <QString>
#include <QTreeWidgetItem>

// One category of the tree. It answers its text, key and picture from its own members instead
// of storing them as item data: a tree of thousands of categories is rebuilt on every search.
class CategoryNode : public QTreeWidgetItem
{
public:
    // The node's key ("BR " and the category identifier) as item data in column 0.
    static constexpr int KeyRole = Qt::UserRole;

    CategoryNode(qint32 branchId, QString name, int picture);

    qint32 BranchId() const { return m_branchId; }
    QString Key() const;
    // 1 root, 2 closed category, 3 open category.
    int Picture() const { return m_picture; }
    void SetPicture(int picture);

    QVariant data(int column, int role) const override;

private:
    qint32 m_branchId;
    QString m_name;
    int m_picture;
};
