#include "import/import_thread_qt.h"

#include "shell/error_text_qt.h"
#include "store/text_file.h"

namespace trafikon {

TMyThread::TMyThread(std::string siteDir, std::vector<std::string> files, FieldFormat format,
                     QObject* parent)
    : QThread(parent),
      siteDir_(std::move(siteDir)),
      files_(std::move(files)),
      format_(std::move(format)) {}

void TMyThread::run() {
    try {
        // Placeholder until the import lands: reports the files only.
        for (std::size_t i = 0; i < files_.size(); ++i) {
            emit FileInHand(static_cast<int>(i));
            emit Progress(100);
        }
    } catch (const IoError& error) {
        failure_ = IoErrorText(error);
    }
}

}  // namespace trafikon
