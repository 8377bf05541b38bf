#include "TestSupport.h"

#include "core/document/LastFolderPrompts.h"
#include "core/settings/MemoryOptionsStore.h"
#include "core/settings/RecentDesigns.h"
#include "core/settings/StoredOptions.h"

#include <QDir>
#include <QTemporaryDir>

using namespace resonex;

// The recent designs' list and the file dialogs' last folder, without windows.
class RecentTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    // Newest first, each once, the oldest beyond eight dropping off; the store
    // keeps the order, and a damaged store (a gap, a repeat, a name that is
    // not a whole path) loses those entries only.
    void orderLimitAndDuplicates() {
        RecentDesignList list;
        for (int i = 1; i <= 10; ++i)
            list.add(QStringLiteral("/d/%1.rzn").arg(i));
        QVERIFY(list.add(QStringLiteral("/d/./7.rzn"))); // the same file, spelled otherwise
        // Already first, or no file: nothing changes, so nothing need be stored.
        QVERIFY(!list.add(QStringLiteral("/d/7.rzn")));
        QVERIFY(!list.add(QString()));
        QCOMPARE(list.paths(), QStringList({"/d/7.rzn", "/d/10.rzn", "/d/9.rzn", "/d/8.rzn",
                                            "/d/6.rzn", "/d/5.rzn", "/d/4.rzn", "/d/3.rzn"}));

        MemoryOptionsStore store;
        list.write(store);
        QCOMPARE(store.value("RecentDesigns", "File1", "none"), QStringLiteral("/d/7.rzn"));
        QCOMPARE(RecentDesignList::read(store).paths(), list.paths());
        list = RecentDesignList({"/d/a.rzn"});
        list.write(store);
        QCOMPARE(store.value("RecentDesigns", "File2", "none"), QString());

        store.setValue("RecentDesigns", "File1", "/d/b.rzn");
        store.setValue("RecentDesigns", "File2", "/d/c.rzn");
        store.setValue("RecentDesigns", "File3", "/d/b.rzn");
        store.setValue("RecentDesigns", "File4", "coil.rzn");
        store.setValue("RecentDesigns", "File6", "/d/after-a-gap.rzn");
        QCOMPARE(RecentDesignList::read(store).paths(),
                 QStringList({"/d/b.rzn", "/d/c.rzn", "/d/after-a-gap.rzn"}));
    }

    // Each design reads as its file's name; two of one name with as much of
    // their folders as tells them apart.
    void labels() {
        const RecentDesignList list({"/home/a/coils/big.rzn", "/home/b/coils/big.rzn",
                                     "/home/a/old/big.rzn", "/home/a/small.rzn", "/big.rzn"});
        QCOMPARE(list.labels(), QStringList({"a/coils/big.rzn", "b/coils/big.rzn", "old/big.rzn",
                                             "small.rzn", "/big.rzn"}));
    }

    // Each dialog starts where the last one chose a file; cancelled, it keeps
    // that folder; the design folder while there is none or it has gone.
    void lastFolder() {
        MemoryOptionsStore store;
        test::ScriptedPrompts dlg;
        LastFolderPrompts prompts(dlg, store);
        const FileDialogSetup setup{"Open Design", "/designs", QString(), "Resonex (*.rzn)", ""};
        const QString sub = path(QStringLiteral("sub"));
        QVERIFY(QDir().mkpath(sub));
        dlg.files << sub + "/a.rzn" << QString() << path("b.pdf") << QString();
        QCOMPARE(prompts.chooseFileToOpen(setup), sub + "/a.rzn");
        QCOMPARE(prompts.chooseFileToSave(setup), QString());
        QCOMPARE(prompts.chooseFileToSave(setup), path("b.pdf"));
        QVERIFY(QDir(sub).removeRecursively());
        stored::kLastFolder.write(store, sub);
        prompts.chooseFileToOpen(setup);
        QStringList folders;
        for (const FileDialogSetup& shown : dlg.dialogs)
            folders << shown.folder;
        QCOMPARE(folders, QStringList({"/designs", sub, sub, "/designs"}));
        QCOMPARE(store.value("Folders", "LastUsed", "none"), sub);
    }
};

QTEST_GUILESS_MAIN(RecentTest)
#include "tst_recent.moc"
