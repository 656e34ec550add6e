#include "data/drivers/PostgreSQLCopy.h"
#include "data/writes/BulkRows.h"

// On PostgreSQL new rows go by CopyIn, as a copy between databases sends its rows.
namespace Processing {

namespace {

class CopyWriter final : public BulkRows::Writer
{
public:
    explicit CopyWriter(std::unique_ptr<CopyIn> copy) : m_copy(std::move(copy)) {}

    void text(QStringView value) override { m_copy->text(value); }
    void number(qint64 value) override { m_copy->number(value); }
    void null() override { m_copy->null(); }
    void endRow() override { m_copy->endRow(); }
    void finish() override { m_copy->finish(); }

private:
    std::unique_ptr<CopyIn> m_copy;
};

} // namespace

std::unique_ptr<BulkRows::Writer> PostgreSQLCopyWriter(Connection &db, const QString &table, const QStringList &columns)
{
    auto copy =
        CopyIn::Start(db.database(), table, columns, QStringLiteral("The rows of %1 could not be written.").arg(table));
    return copy ? std::make_unique<CopyWriter>(std::move(copy)) : nullptr;
}

} // namespace Processing
