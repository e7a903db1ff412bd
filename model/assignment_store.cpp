#include "model/assignment_store.h"

#include <algorithm>
#include <new>

namespace q804::model {

WorkingStore::WorkingStore() : texts_(kEntryCount) {}

bool WorkingStore::hasImage() const {
    auto lock = Lock();
    return image_.has_value();
}

void WorkingStore::InstallImage(StoreImage image) {
    auto lock = Lock();
    image_ = std::move(image);
}

AssignmentEntry WorkingStore::EntryNumbered(int entryNumber) const {
    auto lock = Lock();
    if (!image_ || entryNumber < 0 || entryNumber >= kEntryCount) {
        return {};
    }
    return image_->Entry(entryNumber);
}

AssignmentEntry WorkingStore::EntryAt(int profile, int slot) const {
    if (slot < 0 || slot >= kSlotsPerProfile) {
        return {};
    }
    return EntryNumbered(EntryNumber(profile, slot));
}

void WorkingStore::SetEntryNumbered(int entryNumber, const AssignmentEntry& entry,
                                    std::u16string_view text) {
    auto lock = Lock();
    if (!image_ || entryNumber < 0 || entryNumber >= kEntryCount) {
        return;
    }
    SetText(entryNumber, OwnsText(entry.type) ? std::optional<std::u16string>(std::u16string(text))
                                              : std::nullopt);
    image_->SetEntry(entryNumber, entry);
}

void WorkingStore::SetEntry(int profile, int slot, const AssignmentEntry& entry,
                            std::u16string_view text) {
    if (slot < 0 || slot >= kSlotsPerProfile) {
        return;
    }
    SetEntryNumbered(EntryNumber(profile, slot), entry, text);
}

void WorkingStore::SetText(int entryNumber, std::optional<std::u16string> text) {
    auto& slot = texts_[static_cast<std::size_t>(entryNumber)];
    if (slot) {
        stringBytes_ -= TextSize(*slot);
    }
    slot = std::move(text);
    if (slot) {
        stringBytes_ += TextSize(*slot);
    }
}

const std::optional<std::u16string>& WorkingStore::TextAt(int entryNumber) const {
    static const std::optional<std::u16string> kNone;
    auto lock = Lock();
    if (entryNumber < 0 || entryNumber >= kEntryCount) {
        return kNone;
    }
    return texts_[static_cast<std::size_t>(entryNumber)];
}

int WorkingStore::MacroIdAt(int position) const {
    auto lock = Lock();
    if (position < 0 || position >= static_cast<int>(macros_.size())) {
        return 0;
    }
    return macros_[static_cast<std::size_t>(position)].id();
}

namespace {

int PositionOfId(const std::vector<MacroRecord>& macros, int id) {
    auto it = std::find_if(macros.begin(), macros.end(),
                           [id](const MacroRecord& macro) { return macro.id() == id; });
    return it == macros.end() ? 0 : static_cast<int>(it - macros.begin());
}

}  // namespace

int WorkingStore::MacroPositionOfId(int id) const {
    auto lock = Lock();
    return PositionOfId(macros_, id);
}

void WorkingStore::ReleaseWorkingStrings() {
    auto lock = Lock();
    std::fill(texts_.begin(), texts_.end(), std::nullopt);
    stringBytes_ = 0;
}

void WorkingStore::ReleaseWorkingMacros() {
    auto lock = Lock();
    macros_.clear();
    macros_.shrink_to_fit();
}

void WorkingStore::ReleaseWorkingImage() {
    auto lock = Lock();
    image_.reset();
}

AssignmentEntry UploadSnapshot::EntryAt(int profile, int slot) const {
    auto lock = Lock();
    if (!image_ || slot < 0 || slot >= kSlotsPerProfile || profile < 0 ||
        EntryNumber(profile, slot) >= kEntryCount) {
        return {};
    }
    return image_->Entry(EntryNumber(profile, slot));
}

int UploadSnapshot::SnapshotMacroPositionOfId(int id) const {
    auto lock = Lock();
    return PositionOfId(macros_, id);
}

void UploadSnapshot::ReleaseSnapshotMacros() {
    auto lock = Lock();
    macros_.clear();
    macros_.shrink_to_fit();
}

void UploadSnapshot::ReleaseSnapshotImage() {
    auto lock = Lock();
    image_.reset();
}

void AssignmentStore::InstallNewDefaultStore() {
    auto lock = working.Lock();
    working.ReleaseWorkingStrings();
    working.ReleaseWorkingMacros();
    working.InstallImage(NewDefaultImage());
}

bool AssignmentStore::TakeUploadSnapshot() {
    auto workingLock = working.Lock();
    auto snapshotLock = snapshot.Lock();
    snapshot.ReleaseSnapshotMacros();
    snapshot.ReleaseSnapshotImage();
    if (!working.image()) {
        return false;
    }
    try {
        StoreImage copy = *working.image();
        InitStoreHeader(copy, working.macroCount(), working.stringBytes(), 0);
        std::vector<MacroRecord> macros = working.macros();
        snapshot.image_ = std::move(copy);
        snapshot.macros_ = std::move(macros);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool AssignmentStore::IsMacroInUse(const MacroRecord& macro, const AskYesNo& ask) const {
    if (macro.isNewMacro() != 0) {
        return true;
    }
    bool used = false;
    {
        auto lock = working.Lock();
        // Every entry counts, the first profile's first G key included: a deleted macro
        // there would otherwise silently become another macro at the next upload.
        for (int e = 0; e < kEntryCount && !used; ++e) {
            const AssignmentEntry entry = working.EntryNumbered(e);
            used = entry.kind() == AssignmentType::kMacro && entry.value == macro.id();
        }
    }
    return !used || (ask && ask("MACRO_DELETE_CONFIRM_OF_KEYS"));
}

}  // namespace q804::model
