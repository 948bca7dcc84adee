#include "cli/book_output.h"

#include "book/book.h"
#include "book/book_input.h"
#include "book/headless_gui.h"
#include "book/ramp_book.h"

#include <QString>
#include <QtGlobal>

namespace rampwall::cli {

namespace {
// Font and platform warnings are Qt's business; the tool's stderr carries
// only its own messages.
void dropQtMessage(QtMsgType, const QMessageLogContext&, const QString&) {}
} // namespace

struct BookWriter::State {
    book::HeadlessGui gui;
};

BookWriter::BookWriter() {
    qInstallMessageHandler(dropQtMessage);
    m_state = std::make_unique<State>();
}

BookWriter::~BookWriter() = default;

std::optional<std::string> BookWriter::write(const std::filesystem::path& path, const design::DesignRun& run,
                                             const design::ProjectInfo& project,
                                             const std::string& designFileName) const {
    if (!book::hasBook(run)) {
        return "设计未完成计算，没有计算书：" + path.string();
    }
    const book::BookInput input{.run = run, .project = project, .designFileName = designFileName};
    return book::writeBookPdf(input, QString::fromStdString(path.string()));
}

std::optional<std::string> BookWriter::writeRamp(const std::filesystem::path& path, const ramp::Schedule& schedule,
                                                 const ramp::RampInput& ramp, const design::ProjectInfo& project,
                                                 const std::string& designFileName) const {
    const book::RampBookInput input{
        .schedule = &schedule, .ramp = ramp, .project = project, .designFileName = designFileName};
    return book::writeRampBookPdf(input, QString::fromStdString(path.string()));
}

} // namespace rampwall::cli
