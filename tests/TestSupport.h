#pragma once

#include "PrivateHome.h"
#include "core/document/CFile.h"
#include "core/document/DocumentPrompts.h"
#include "core/errors/ResonexError.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStringList>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <deque>
#include <optional>
#include <sys/mount.h>

namespace resonex::test {

inline QLocale pointLocale() { return QLocale(QLocale::English, QLocale::UnitedStates); }
inline QLocale commaLocale() { return QLocale(QLocale::German, QLocale::Germany); }

// Records what would have been shown to the user.
class RecordingPrompts : public Prompts {
public:
    void tell(const QString& title, const QString& text, Icon icon) override {
        titles << title;
        messages << text;
        icons << icon;
    }
    QStringList titles;
    QStringList messages;
    QList<Icon> icons;
};

// Answers the document commands' questions and file dialogs from a script and
// records what was asked. A question or dialog with nothing scripted for it
// fails the test and is answered with Cancel.
class ScriptedPrompts : public DocumentPrompts {
public:
    void tell(const QString& title, const QString& text, Icon icon) override {
        told.tell(title, text, icon);
    }
    Answer ask(const QString& title, const QString& text) override {
        questions << title + QStringLiteral(": ") + text;
        if (answers.empty()) {
            QTest::qFail(qPrintable(QStringLiteral("unexpected question: ") + text), __FILE__,
                         __LINE__);
            return Answer::Cancel;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    // Yes/No questions take their answers from the same script.
    bool confirm(const QString& title, const QString& text) override {
        return ask(title, text) == Answer::Yes;
    }
    QString chooseFileToOpen(const FileDialogSetup& setup) override { return choose(setup); }
    QString chooseFileToSave(const FileDialogSetup& setup) override { return choose(setup); }

    RecordingPrompts told;
    QStringList questions;
    std::deque<Answer> answers;
    // The paths the file dialogs return in turn; an empty one is a cancel.
    QStringList files;
    QList<FileDialogSetup> dialogs;

private:
    QString choose(const FileDialogSetup& setup) {
        dialogs << setup;
        if (files.isEmpty()) {
            QTest::qFail("unexpected file dialog", __FILE__, __LINE__);
            return QString();
        }
        return files.takeFirst();
    }
};

// The error a call raises, if any.
template <typename Call> std::optional<ResonexError> errorOf(Call call) {
    try {
        call();
    } catch (const ResonexError& error) {
        return error;
    }
    return std::nullopt;
}

// The number of the error a call raises, or 0 when it raises none.
template <typename Call> std::uint32_t errorNumberOf(Call call) {
    const std::optional<ResonexError> error = errorOf(call);
    return error ? error->number() : 0;
}

// The error a call raises as "0xNUMBER Source: Description", or "none".
template <typename Call> QString errorText(Call call) {
    const std::optional<ResonexError> e = errorOf(call);
    return e ? QString::asprintf("0x%08X ", unsigned(e->number())) + e->source() +
                   QStringLiteral(": ") + e->description()
             : QStringLiteral("none");
}

inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// An executable shell script with the body given.
inline void writeScript(const QString& path, const QByteArray& body) {
    writeAll(path, "#!/bin/sh\n" + body);
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

// A 64 KiB file system of its own on folder, which only root can mount: files
// put in it before fill() stay, and fill() leaves no room for anything more.
class SmallFileSystem {
public:
    explicit SmallFileSystem(const QString& folder) : m_folder(folder) {
        QDir().mkpath(folder);
        if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k") != 0)
            m_whyNot = QStringLiteral("a small file system cannot be mounted here (") +
                       QString::fromLocal8Bit(std::strerror(errno)) +
                       QStringLiteral("); it needs root");
    }
    ~SmallFileSystem() {
        if (m_whyNot.isEmpty())
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    // Empty when mounted.
    const QString& whyNot() const { return m_whyNot; }
    QString filePath(const QString& name) const { return QDir(m_folder).filePath(name); }

    void fill() const {
        QFile filler(filePath(QStringLiteral("filler")));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(512, '\0');
        while (filler.write(block) == block.size()) {
        }
    }

private:
    QString m_folder;
    QString m_whyNot;
};

// Whether the design has changes to save, found as closing finds them: the
// question comes, is answered No, and the design stays as it is.
inline bool asksToSave(CFile& doc) {
    ScriptedPrompts dlg;
    dlg.answers = {DocumentPrompts::Answer::No};
    doc.FileSaveIfModified(dlg);
    return !dlg.questions.isEmpty();
}

} // namespace resonex::test
