// msg-sim seed: fills a device with a year of demo conversations, or with as many plain ones as asked.
#include "SimSeedCommands.h"

#include "SimCommand.h"
#include "SimSeedMedia.h"
#include "SimStoreOutput.h"
#include "device/Device.h"
#include "msg_store/PhoneSide.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

namespace msg_sim {

namespace {

enum class DemoKind {
    CHAT,        // text back and forth
    IMAGE,       // ends with a picture
    AUDIO,       // ends with a voice note
    FILE,        // ends with an attached document
    PHONE_MMS,   // an MMS whose body is still on the phone
    GROUP,       // several people
    FAILED,      // our last message failed
    SENDING,     // our last message is still being sent
    BLOCKED,     // everything went to the spam folder
    BLOCKED_MMS, // spam that ends with a picture and an attached file
    ALERT,       // a broadcast alert
    WATCH,       // sent and received by the watch itself
};

struct DemoContact {
    const char* numbers; // ";" between the members of a group
    const char* names;   // for the contacts that will be attached later
    DemoKind kind;
    int daysAgo;
    bool unread;
};

// The demo's people, newest conversation first.
const DemoContact kDemoContacts[] = {
    {"+15550100001", "Ava Thompson", DemoKind::CHAT, 0, true},
    {"+15550100002", "Liam Carter", DemoKind::IMAGE, 0, true},
    {"+15550100003;+15550100004;+15550100005", "Mia Lopez, Noah Kim, Zoe Patel", DemoKind::GROUP, 0, true},
    {"+15550100006", "Ethan Brooks", DemoKind::SENDING, 1, false},
    {"+15550100007", "Olivia Chen", DemoKind::FAILED, 1, false},
    {"Emergency alert", "", DemoKind::ALERT, 2, true},
    {"+15550100008", "Lucas Meyer", DemoKind::AUDIO, 3, false},
    {"+15550100009", "Sophia Rossi", DemoKind::CHAT, 4, false},
    {"+15550100010", "Unknown caller", DemoKind::BLOCKED, 5, false},
    {"+15550100011", "Jack Wilson", DemoKind::FILE, 6, false},
    {"+15550100012", "Emma Dubois", DemoKind::WATCH, 8, false},
    {"+15550100013", "Henry Nakamura", DemoKind::PHONE_MMS, 10, true},
    {"+15550100014", "Isla Novak", DemoKind::CHAT, 13, false},
    {"+15550100015;+15550100016", "Leo Fischer, Ruby Singh", DemoKind::GROUP, 17, false},
    {"+15550100017", "Grace Okafor", DemoKind::IMAGE, 21, false},
    {"+15550100018", "Prize line", DemoKind::BLOCKED, 25, false},
    {"+15550100019", "Daniel Sousa", DemoKind::CHAT, 30, false},
    {"+15550100020", "Chloe Martin", DemoKind::AUDIO, 36, false},
    {"+15550100021", "Samuel Berg", DemoKind::CHAT, 44, false},
    {"+15550100022", "Lily Walsh", DemoKind::WATCH, 52, false},
    {"+15550100023", "Mason Reyes", DemoKind::FILE, 60, false},
    {"+15550100024", "Ella Johansson", DemoKind::CHAT, 71, false},
    {"+15550100025;+15550100026;+15550100027;+15550100028", "Team lunch", DemoKind::GROUP, 80, false},
    {"+15550100029", "Oscar Hughes", DemoKind::IMAGE, 92, false},
    {"+15550100030", "Amelia Costa", DemoKind::CHAT, 105, false},
    {"+15550100031", "Parcel notice", DemoKind::BLOCKED_MMS, 118, false},
    {"+15550100032", "James Park", DemoKind::CHAT, 130, false},
    {"+15550100033", "Nora Schmidt", DemoKind::AUDIO, 145, false},
    {"+15550100034", "William Ahmed", DemoKind::CHAT, 160, false},
    {"+15550100035", "Hannah Moreau", DemoKind::FILE, 178, false},
    {"+15550100036", "Benjamin Ito", DemoKind::CHAT, 195, false},
    {"+15550100037", "Freya Olsen", DemoKind::IMAGE, 214, false},
    {"+15550100038", "Alexander Gray", DemoKind::CHAT, 236, false},
    {"+15550100039", "Clara Vidal", DemoKind::WATCH, 258, false},
    {"+15550100040", "Max Horvat", DemoKind::CHAT, 280, false},
    {"+15550100041", "Evie Laurent", DemoKind::CHAT, 300, false},
    {"+15550100042", "Theo Andersen", DemoKind::IMAGE, 318, false},
    {"+15550100043", "Alice Romano", DemoKind::CHAT, 333, false},
    {"+15550100044", "Arthur Blake", DemoKind::CHAT, 348, false},
    {"+15550100045", "Maya Kowalski", DemoKind::CHAT, 360, false},
};

const char* const kLines[] = {
    "Are we still on for tonight?",
    "Yes! See you at 7 \xF0\x9F\x98\x8A",
    "Running 10 minutes late, sorry",
    "No worries, I'll grab a table",
    "Did you see the game last night?",
    "Can you pick up some milk on the way home?",
    "Happy birthday! \xF0\x9F\x8E\x82",
    "Thanks so much!",
    "Call me when you're free",
    "The meeting moved to 3 pm",
    "Sounds good to me",
    "Where did you park?",
    "Just landed, heading to the hotel",
    "Let me check and get back to you",
    "Ich komme gleich \xE2\x80\x94 bis sp\xC3\xA4ter!",
    "\xD0\x94\xD0\xBE \xD0\xB2\xD1\x81\xD1\x82\xD1\x80\xD0\xB5\xD1\x87\xD0\xB8!",
};
constexpr int kLineCount = sizeof(kLines) / sizeof(kLines[0]);

constexpr int64_t kMinuteMs = 60 * 1000;
constexpr int64_t kDayMs = 24 * 60 * kMinuteMs;

struct DemoMedia {
    std::string picture, sound, document;
};

msg_store::Content fileContent(const std::string& path, const char* mime, msg_store::Content::MediaType media,
                               bool attachment) {
    msg_store::Content content;
    content.mediaType = media;
    content.mimeType = mime;
    content.filePath = path;
    content.fileName = path.substr(path.rfind('/') + 1);
    content.isAttachment = attachment;
    content.transferStatus = msg_store::Content::TRANSFER_DOWNLOADED;
    return content;
}

msg_store::Content textContent(const std::string& text) {
    msg_store::Content content;
    content.mediaType = msg_store::Content::MEDIA_TYPE_TEXT;
    content.mimeType = "text/plain";
    content.text = text;
    return content;
}

// Turns the conversation's last message into what its kind shows.
void finishLast(const DemoContact& contact, const DemoMedia& media, msg_store::IncomingMessage& last) {
    using msg_store::Content;
    switch (contact.kind) {
    case DemoKind::IMAGE:
        last.msgType = "mms";
        last.text = "Look at this view!";
        last.contents = {textContent(last.text),
                         fileContent(media.picture, "image/png", Content::MEDIA_TYPE_IMAGE, false)};
        break;
    case DemoKind::AUDIO:
        last.msgType = "mms";
        last.text = "";
        last.contents = {fileContent(media.sound, "audio/wav", Content::MEDIA_TYPE_AUDIO, false)};
        break;
    case DemoKind::FILE:
        last.msgType = "mms";
        last.subject = "Shopping list";
        last.text = "Here's the list";
        last.contents = {textContent(last.text),
                         fileContent(media.document, "text/x-vcard", Content::MEDIA_TYPE_NONE, true)};
        break;
    case DemoKind::BLOCKED_MMS:
        last.msgType = "mms";
        last.subject = "Your parcel is waiting";
        last.text = "Pay the customs fee today to get it delivered.";
        last.contents = {textContent(last.text),
                         fileContent(media.picture, "image/png", Content::MEDIA_TYPE_IMAGE, false),
                         fileContent(media.document, "text/x-vcard", Content::MEDIA_TYPE_NONE, true)};
        break;
    case DemoKind::PHONE_MMS: {
        last.msgType = "mms";
        last.subject = "Holiday photos";
        last.networkStatus = msg_store::NETWORK_STATUS_RETRIEVE_FAIL;
        Content onPhone;
        onPhone.mediaType = Content::MEDIA_TYPE_IMAGE;
        onPhone.mimeType = "image/png";
        onPhone.downloadName = "beach.png";
        last.contents = {onPhone};
        break;
    }
    case DemoKind::FAILED:
        last.folderType = msg_store::FOLDER_OUTBOX;
        last.networkStatus = msg_store::NETWORK_STATUS_SEND_FAIL;
        break;
    case DemoKind::SENDING:
        last.folderType = msg_store::FOLDER_OUTBOX;
        last.networkStatus = msg_store::NETWORK_STATUS_SENDING;
        break;
    default:
        break;
    }
}

void addConversation(const DemoContact& contact, int index, const DemoMedia& media, int64_t now,
                     std::vector<msg_store::IncomingMessage>& out) {
    std::vector<msg_store::Address> addresses;
    std::string numbers = contact.numbers;
    for (size_t start = 0; start <= numbers.size();) {
        size_t end = numbers.find(';', start);
        if (end == std::string::npos)
            end = numbers.size();
        addresses.push_back({msg_store::ADDRESS_TYPE_PHONE, numbers.substr(start, end - start)});
        start = end + 1;
    }
    bool watch = contact.kind == DemoKind::WATCH;
    bool blocked = contact.kind == DemoKind::BLOCKED || contact.kind == DemoKind::BLOCKED_MMS;
    bool alert = contact.kind == DemoKind::ALERT;
    int count = (alert || blocked) ? 1 + index % 2 : 2 + (index * 7) % 6;
    int64_t end = now - contact.daysAgo * kDayMs - (index % 5) * 17 * kMinuteMs;
    for (int k = 0; k < count; ++k) {
        msg_store::IncomingMessage message;
        message.addresses = addresses;
        bool incoming = blocked || alert || (k % 2 == (count - 1) % 2);
        if (contact.kind == DemoKind::FAILED || contact.kind == DemoKind::SENDING)
            incoming = k % 2 != (count - 1) % 2;
        message.from = incoming ? addresses[k % addresses.size()].address : "";
        message.folderType = blocked ? msg_store::FOLDER_WATCH_SPAM
                             : watch
                                 ? (incoming ? msg_store::FOLDER_WATCH_INBOX : msg_store::FOLDER_WATCH_SENT)
                                 : (incoming ? msg_store::FOLDER_INBOX : msg_store::FOLDER_SENT);
        message.networkStatus =
            incoming ? msg_store::NETWORK_STATUS_NONE : msg_store::NETWORK_STATUS_SEND_SUCCESS;
        message.time = end - (count - 1 - k) * 41 * kMinuteMs;
        message.isRead = !(contact.unread && k == count - 1) || !incoming;
        message.text = kLines[(index * 3 + k) % kLineCount];
        if (blocked)
            message.text = "You have WON a prize! Reply YES to claim <b>now</b> & pay the \"fee\"";
        if (alert) {
            message.msgType = "cmas";
            message.text = "Severe weather warning in your area until 9 PM. Stay indoors.";
        }
        if (k == count - 1)
            finishLast(contact, media, message);
        out.push_back(message);
    }
}

bool writeMedia(const std::string& dir, DemoMedia& media) {
    std::string folder = dir + "/media";
    mkdir(folder.c_str(), 0700);
    media.picture = folder + "/demo-sunset.png";
    media.sound = folder + "/demo-voice.wav";
    media.document = folder + "/shopping-list.vcf";
    return simWritePng(media.picture, 120, 90, 20) && simWriteWav(media.sound, 440, 1500) &&
           simWriteText(media.document, "BEGIN:VCARD\nVERSION:3.0\nFN:Shopping list\nNOTE:milk, bread, "
                                        "apples, coffee\nEND:VCARD\n");
}

// A large device for trying the long cases by hand: `conversations` one-to-one conversations of
// `perConversation` messages each, the newest first and spread over a year, every seventh unread.
void addGenerated(long conversations, long perConversation, int64_t now,
                  std::vector<msg_store::IncomingMessage>& out) {
    out.reserve(static_cast<size_t>(conversations * perConversation));
    int64_t spacing = std::max<int64_t>(365 * kDayMs / conversations, perConversation * kMinuteMs);
    for (long n = 0; n < conversations; ++n) {
        std::string address = "+1555" + std::to_string(2000000 + n);
        int64_t end = now - n * spacing;
        for (long k = 0; k < perConversation; ++k) {
            msg_store::IncomingMessage message;
            message.addresses = {{msg_store::ADDRESS_TYPE_PHONE, address}};
            bool incoming = k % 2 == (perConversation - 1) % 2;
            message.from = incoming ? address : "";
            message.folderType = incoming ? msg_store::FOLDER_INBOX : msg_store::FOLDER_SENT;
            message.networkStatus =
                incoming ? msg_store::NETWORK_STATUS_NONE : msg_store::NETWORK_STATUS_SEND_SUCCESS;
            message.time = end - (perConversation - 1 - k) * kMinuteMs;
            message.isRead = !(incoming && k == perConversation - 1 && n % 7 == 0);
            message.text = kLines[(n * 3 + k) % kLineCount];
            out.push_back(std::move(message));
        }
    }
}

bool parseBounded(const std::string& text, long low, long high, long& out) {
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && end && *end == '\0' && out >= low && out <= high;
}

constexpr long kMaxGenerated = 1000000;
// The year 9999: later times are no dates the device shows.
constexpr long kMaxSeedTime = 253402300799L;

int runSeed(SimArgs& args) {
    simTakeDevice(args);
    bool ifEmpty = args.flag("--if-empty");
    std::string conversationsText, perText = "2";
    bool generated = args.option("--conversations", conversationsText);
    bool hasPer = args.option("--messages-per-conversation", perText);
    std::string nowText;
    bool hasNow = args.option("--now", nowText);
    if (!args.ok())
        return simUsageError(args, args.error());
    long conversations = 0, perConversation = 0;
    if (generated && !parseBounded(conversationsText, 1, kMaxGenerated, conversations))
        return simUsageError(args,
                             "--conversations needs a number from 1 to " + std::to_string(kMaxGenerated));
    if (hasPer && !generated)
        return simUsageError(args, "--messages-per-conversation goes with --conversations");
    if (!parseBounded(perText, 1, kMaxGenerated, perConversation) ||
        conversations * perConversation > kMaxGenerated)
        return simUsageError(args, "--messages-per-conversation needs a number from 1, and at most " +
                                       std::to_string(kMaxGenerated) + " messages in all");
    // The demo's dates are relative to now: a fixed clock pictures the same days at any hour.
    long nowSeconds = static_cast<long>(time(nullptr));
    if (hasNow && !parseBounded(nowText, 1, kMaxSeedTime, nowSeconds))
        return simUsageError(args, "--now needs a time in seconds since 1970");
    int existing = 0;
    int result = msg_store::PhoneSide::countMessages(existing);
    if (result != msg_store::MSG_STORE_SUCCESS)
        return simStoreResult(args, result, "cannot read the device");
    if (existing > 0) {
        if (ifEmpty) {
            if (!args.json())
                std::printf("the device already holds %d message(s); not seeded\n", existing);
            return 0;
        }
        return simFailure(args, "the device already holds " + std::to_string(existing) +
                                    " message(s); seed fills empty devices only");
    }
    std::vector<msg_store::IncomingMessage> messages;
    int64_t now = static_cast<int64_t>(nowSeconds) * 1000;
    if (generated) {
        addGenerated(conversations, perConversation, now, messages);
    } else {
        DemoMedia media;
        if (!writeMedia(msg_device::Device::defaultDir(), media))
            return simFailure(args, "cannot write the demo media");
        int index = 0;
        for (const DemoContact& contact : kDemoContacts)
            addConversation(contact, index++, media, now, messages);
        conversations = static_cast<long>(std::size(kDemoContacts));
    }
    // One transaction: a reader sees the empty device or the whole seed, and the change feed
    // carries one change.
    result = msg_store::PhoneSide::insertMessages(messages, nullptr);
    if (result != msg_store::MSG_STORE_SUCCESS)
        return simStoreResult(args, result, "cannot seed");
    if (!args.json())
        std::printf("seeded %ld conversation(s) with %zu message(s) into %s\n", conversations,
                    messages.size(), msg_device::Device::defaultDir().c_str());
    return 0;
}

} // namespace

} // namespace msg_sim

void msg_sim::registerSeedCommands() {
    addSimCommand({"seed", "[--if-empty] [--conversations N [--messages-per-conversation M]] [--now SECONDS]",
                   "fills an empty device with a year of demo conversations, or with N plain ones of M "
                   "messages (2 by default), dated back from now or from the time --now gives",
                   runSeed});
}
