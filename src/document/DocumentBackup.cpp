#include "document/DocumentBackup.h"

#include "dbfile/DatabaseWrite.h"
#include "dbfile/PrivateFolder.h"
#include "model/Database.h"
#include "text/Paths.h"
#include "text/TextIds.h"

int cDocumentBackup::prepareSlot(const std::string& folder) {
    if (slot_.number() != 0 && slotFolder_ == folder)
        return 0;
    slot_.release();
    const int made = MakePrivateFolder(folder);
    if (made == FolderShared)
        return TextBackupFolderShared;
    if (made != FolderPrivate || !slot_.acquire(folder))
        return TextBackupFailed;
    slotFolder_ = folder;
    return 0;
}

std::string cDocumentBackup::folder() const {
    return folder_ ? folder_() : std::string();
}

std::string cDocumentBackup::filePath() const {
    return JoinPath(folder(), cBackupSlot::backupFileName(slot()));
}

std::string cDocumentBackup::recordPath() const {
    return JoinPath(folder(), cBackupSlot::recordFileName(slot()));
}

int cDocumentBackup::write(const cDatabase& db, bool unsaved) {
    int problem = prepareSlot(folder());
    if (problem == 0) {
        sSaveOptions options;
        options.privateFile = true;
        const int written = writer_.write(db, filePath(), options);
        if (written == SaveTargetRefused)
            problem = TextBackupNotAFile;
        else if (written != SaveWritten)
            problem = TextBackupFailed;
        else if (!unsaved)
            forgetUnsaved();
        else if (!record_.write(recordPath(), {true, db.path.textOrEmpty()}))
            problem = TextBackupFailed;
    }
    const bool news = problem != 0 && !failureTold_;
    failureTold_ = problem != 0;
    return news ? problem : 0;
}

void cDocumentBackup::forgetUnsaved() {
    // Only the slot's holder may touch its record; without a slot this editor wrote none.
    if (slot_.number() != 0)
        record_.remove(JoinPath(slotFolder_, cBackupSlot::recordFileName(slot_.number())));
}

void cDocumentBackup::release() {
    forgetUnsaved();
    slot_.release();
    slotFolder_.clear();
    failureTold_ = false;
}
