// Finding, opening, reading and closing the keyboard's nodes, and the notifications that
// come from them.

#include <algorithm>
#include <cerrno>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "device/hidapi/hidapi_backend.h"
#include "device/hidapi/hidapi_backend_parts.h"
#include "device/hidapi/report_descriptor.h"
#include "device/hidapi/udev_rule.h"

namespace q804::device::hidapi {
namespace {

// Large enough for any report a keyboard sends; the kernel cuts longer ones to the buffer.
constexpr std::size_t kReadBufferSize = 4096;

}  // namespace

void HidapiBackend::Scan(bool notify) {
    std::map<std::string, std::vector<CollectionId>> present;
    for (const HidDeviceEntry& entry : io_->Enumerate(kVendorId, kProductId)) {
        if (entry.vendorId != kVendorId || entry.productId != kProductId || entry.path.empty()) {
            continue;
        }
        std::vector<CollectionId>& collections = present[entry.path];
        const CollectionId id{entry.usagePage, entry.usage};
        if (std::find(collections.begin(), collections.end(), id) == collections.end()) {
            collections.push_back(id);
        }
    }
    for (auto& [path, collections] : present) {
        std::sort(collections.begin(), collections.end());
    }

    // Close the nodes that left, failed or changed; only this thread changes nodes_.
    std::vector<std::shared_ptr<Node>> leaving;
    std::set<std::string> failedPaths;
    std::set<std::string> before;
    {
        std::lock_guard lock(mutex_);
        before = vendorPaths_;
        for (auto it = nodes_.begin(); it != nodes_.end();) {
            auto found = present.find(it->first);
            if (found != present.end() && !it->second->failed &&
                found->second == it->second->collections) {
                ++it;
                continue;
            }
            if (it->second->failed) {
                failedPaths.insert(it->first);
            }
            leaving.push_back(it->second);
            it = nodes_.erase(it);
        }
    }
    for (const std::shared_ptr<Node>& node : leaving) {
        CloseNode(*node);
    }

    std::set<std::string> kept;
    std::vector<std::pair<std::string, std::vector<CollectionId>>> toOpen;
    {
        std::lock_guard lock(mutex_);
        for (const std::string& path : before) {
            if (nodes_.contains(path)) {
                kept.insert(path);
            }
        }
        for (const auto& [path, collections] : present) {
            // A node that just failed is tried again at the next regular poll, not at once:
            // one that fails on every read must not spin between opening and closing.
            if (!nodes_.contains(path) && !failedPaths.contains(path)) {
                toOpen.emplace_back(path, collections);
            }
        }
    }

    std::map<std::string, std::string> failures;
    std::vector<std::shared_ptr<Node>> arriving;
    for (auto& [path, collections] : toOpen) {
        std::string failure;
        if (std::shared_ptr<Node> node = OpenNode(path, std::move(collections), failure)) {
            arriving.push_back(std::move(node));
        } else if (!failure.empty()) {
            failures.emplace(path, std::move(failure));
        }
    }

    std::set<std::string> after;
    {
        std::lock_guard lock(mutex_);
        for (std::shared_ptr<Node>& node : arriving) {
            const std::string path = node->path;
            nodes_.emplace(path, std::move(node));
        }
        for (const auto& [path, node] : nodes_) {
            if (node->Carries(kVendorCollectionId)) {
                after.insert(path);
            }
        }
        vendorPaths_ = after;
        const bool allOpen = std::all_of(present.begin(), present.end(), [&](const auto& entry) {
            return nodes_.contains(entry.first);
        });
        // A refused open is withdrawn once it is over; other failures stay until replaced.
        if (failures.empty() && allOpen && lastErrorFromOpen_) {
            lastError_.clear();
            lastErrorFromOpen_ = false;
        }
    }
    // Each node's failure is reported once, not again at every poll while it lasts.
    for (const auto& [path, failure] : failures) {
        auto known = openFailures_.find(path);
        if (known == openFailures_.end() || known->second != failure) {
            SetError(failure, notify, true);
        }
    }
    openFailures_ = std::move(failures);

    if (notify) {
        // A keyboard that left and one that came in the same poll are reported as two
        // changes, so that a quick replug still runs a full arrival.
        if (kept.size() < before.size()) {
            DeliverDeviceCount(static_cast<std::uint32_t>(kept.size()));
        }
        if (after.size() > kept.size()) {
            DeliverDeviceCount(static_cast<std::uint32_t>(after.size()));
        }
    }
}

std::shared_ptr<HidapiBackend::Node> HidapiBackend::OpenNode(const std::string& path,
                                                             std::vector<CollectionId> collections,
                                                             std::string& failure) {
    auto describe = [&](const OpenOutcome& outcome) {
        if (outcome.errorNumber == EACCES || outcome.errorNumber == EPERM) {
            failure = PermissionDeniedMessage(
                path, LocateUdevRule(options_.programDir, options_.udevRuleDirs));
        } else if (outcome.errorNumber != ENOENT && outcome.errorNumber != ENODEV) {
            // A node that vanished between listing and opening has just been unplugged;
            // the next poll settles it without troubling the user.
            failure = "Cannot open the keyboard at " + path + ": " + outcome.errorText;
        }
    };
    OpenOutcome reader = io_->Open(path);
    if (!reader.handle) {
        describe(reader);
        return nullptr;
    }
    OpenOutcome writer = io_->Open(path);
    if (!writer.handle) {
        describe(writer);
        return nullptr;
    }

    auto node = std::make_shared<Node>();
    node->path = path;
    node->reader = std::move(reader.handle);
    node->writer = std::move(writer.handle);
    Result<std::vector<std::uint8_t>> descriptor = io_->ReportDescriptor(path);
    Result<ReportDescriptorInfo> parsed = descriptor.ok()
                                              ? ParseReportDescriptor(descriptor.value())
                                              : Result<ReportDescriptorInfo>(descriptor.error());
    if (parsed.ok() && !parsed.value().collections.empty()) {
        node->router = ReportRouter::FromDescriptor(parsed.value());
    } else {
        node->router = ReportRouter::WithoutDescriptor(collections);
    }
    node->collections = std::move(collections);
    // The node outlives its reader: whoever drops a node closes it first, which joins.
    node->thread = std::thread([this, raw = node.get()] { ReaderLoop(*raw); });
    return node;
}

void HidapiBackend::CloseNode(Node& node) {
    node.stop = true;
    if (node.thread.joinable()) {
        node.thread.join();
    }
    {
        std::lock_guard lock(node.writeMutex);
        node.writer.reset();
    }
    node.reader.reset();
}

void HidapiBackend::ReaderLoop(Node& node) {
    std::vector<std::uint8_t> buffer(kReadBufferSize);
    const int timeoutMs = static_cast<int>(options_.readTimeout.count());
    while (!node.stop) {
        const int got = node.reader->Read(buffer, timeoutMs);
        if (got == 0) {
            continue;
        }
        if (got < 0) {
            // Unplugged (ENODEV) or broken: the monitor closes the node and looks again.
            node.failed = true;
            RequestRescan();
            return;
        }
        const std::size_t size = std::min(static_cast<std::size_t>(got), buffer.size());
        DeliverReport(node, std::span<const std::uint8_t>(buffer.data(), size));
    }
}

void HidapiBackend::DeliverReport(const Node& node, std::span<const std::uint8_t> report) {
    const ReportRouter::Route route = node.router.RouteReport(report);
    if (route.collections.empty()) {
        return;
    }
    std::vector<std::shared_ptr<Registration>> targets;
    {
        std::lock_guard lock(mutex_);
        for (const auto& [unitId, registration] : registrations_) {
            if (registration->asyncRead && IsKeyboard(registration->filter) &&
                std::find(route.collections.begin(), route.collections.end(),
                          IdOf(registration->filter)) != route.collections.end()) {
                targets.push_back(registration);
            }
        }
    }
    for (const std::shared_ptr<Registration>& registration : targets) {
        if (node.stop || stopping_ || !registration->active || !registration->callback) {
            continue;
        }
        HidNotification notification;
        notification.kind = NotificationKind::kDataArrived;
        notification.tag = registration->tag;
        notification.count = static_cast<std::uint32_t>(report.size());
        notification.data.assign(report.begin(), report.end());
        if (registration->filter.usagePage == kConsumerUsagePage) {
            notification.consumerCode = ConsumerCode(report, route.payloadOffset);
        }
        registration->callback(notification);
    }
}

void HidapiBackend::DeliverDeviceCount(std::uint32_t count) {
    std::vector<std::shared_ptr<Registration>> targets;
    {
        std::lock_guard lock(mutex_);
        for (const auto& [unitId, registration] : registrations_) {
            if (registration->asyncRead) {
                targets.push_back(registration);
            }
        }
    }
    for (const std::shared_ptr<Registration>& registration : targets) {
        if (stopping_ || !registration->active || !registration->callback) {
            continue;
        }
        HidNotification notification;
        notification.kind = NotificationKind::kDeviceSetChanged;
        notification.tag = registration->tag;
        notification.count = count;
        registration->callback(notification);
    }
}

}  // namespace q804::device::hidapi
