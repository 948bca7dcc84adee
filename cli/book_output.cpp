#include "book_output.h"

#include "book.h"
#include "book_input.h"
#include "headless_gui.h"

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
    std::optional<book::CompletedRun> run;
    book::CodeEdition code = book::edition2002();
};

BookWriter::BookWriter() {
    qInstallMessageHandler(dropQtMessage);
    m_state = std::make_unique<State>();
}

BookWriter::~BookWriter() = default;

RunObserver BookWriter::observer() {
    return [this](RunOutcome outcome, const DesignState& state, HeadlessWindow& window, const ComputeOptions& options) {
        m_state->run = book::CompletedRun::capture(outcome, state, window);
        m_state->code = book::codeEditionFor(options.edition, options.factors);
    };
}

bool BookWriter::hasBook() const { return m_state->run.has_value(); }

std::optional<std::string> BookWriter::write(const std::filesystem::path& path, const design::ProjectInfo& project,
                                             const std::string& designFileName) const {
    if (!m_state->run) {
        return "设计未完成计算，没有计算书：" + path.string();
    }
    book::BookInput input{.run = *m_state->run,
                          .project = {project.projectName, project.member, project.designer, project.checker,
                                      project.approver, project.date},
                          .code = m_state->code,
                          .designFileName = designFileName};
    return book::writeBookPdf(input, QString::fromStdString(path.string()));
}

} // namespace rampwall::cli
