#include "data/drivers/PostgreSQLCopy.h"
#include "transfer/RowStreams.h"

#include <QCoreApplication>

// A copy's rows, already UTF-8, by CopyOut and CopyIn, which import's new places go by too.
namespace {

class Reader final : public RowReader
{
public:
    explicit Reader(std::unique_ptr<Processing::CopyOut> copy) : m_copy(std::move(copy)) {}

    bool next(CopyRow &row) override
    {
        QByteArrayView line;
        if (!m_copy->next(line))
            return false;
        row.clear();
        decode(line.begin(), line.end(), row);
        return true;
    }

private:
    // One line of COPY's text form: values between tabs, "\N" for NULL, backslash escapes.
    static void decode(const char *at, const char *end, CopyRow &row)
    {
        std::string &bytes = row.bytes();
        while (true) {
            const char *stop = at;
            while (stop < end && *stop != '\t')
                ++stop;
            if (stop - at == 2 && at[0] == '\\' && at[1] == 'N') {
                row.appendNull();
            } else {
                for (const char *c = at; c < stop; ++c) {
                    if (*c != '\\' || c + 1 == stop) {
                        bytes.push_back(*c);
                        continue;
                    }
                    ++c;
                    switch (*c) {
                    case 'b':
                        bytes.push_back('\b');
                        break;
                    case 'f':
                        bytes.push_back('\f');
                        break;
                    case 'n':
                        bytes.push_back('\n');
                        break;
                    case 'r':
                        bytes.push_back('\r');
                        break;
                    case 't':
                        bytes.push_back('\t');
                        break;
                    case 'v':
                        bytes.push_back('\v');
                        break;
                    default:
                        bytes.push_back(*c); // "\\" and any other character as itself
                    }
                }
                row.endValue();
            }
            if (stop == end)
                break;
            at = stop + 1;
        }
    }

    std::unique_ptr<Processing::CopyOut> m_copy;
};

class Writer final : public RowWriter
{
public:
    explicit Writer(std::unique_ptr<Processing::CopyIn> copy) : m_copy(std::move(copy)) {}

    void write(const CopyRow &row) override
    {
        for (int c = 0; c < row.size(); ++c) {
            if (row.isNull(c))
                m_copy->null();
            else
                m_copy->text(row.value(c));
        }
        m_copy->endRow();
    }
    void finish() override { m_copy->finish(); }

private:
    std::unique_ptr<Processing::CopyIn> m_copy;
};

} // namespace

std::unique_ptr<RowReader> PostgreSQLRowReader(const QSqlDatabase &db, const Processing::DirectoryTable &table)
{
    auto copy = Processing::CopyOut::Start(
        db, table.name, table.columns,
        QCoreApplication::translate("Transfer", "The %1 could not be read.").arg(table.rows));
    return copy ? std::make_unique<Reader>(std::move(copy)) : nullptr;
}

std::unique_ptr<RowWriter> PostgreSQLRowWriter(const QSqlDatabase &db, const Processing::DirectoryTable &table)
{
    auto copy = Processing::CopyIn::Start(
        db, table.name, table.columns,
        QCoreApplication::translate("Transfer", "The %1 could not be written.").arg(table.rows));
    return copy ? std::make_unique<Writer>(std::move(copy)) : nullptr;
}
