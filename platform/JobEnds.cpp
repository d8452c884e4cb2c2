#include "platform/JobEnds.h"

namespace platform {

JobEnds::JobEnds(PrintConnection &connection, const QString &printer)
    : connection_(connection), uri_(PrinterUri(printer))
{
    const CupsLibrary &cups = connection.Cups();
    ipp_t *request = connection.Request(IPP_OP_CREATE_PRINTER_SUBSCRIPTIONS, "printer-uri", uri_);
    if (request) {
        cups.addString(request, IPP_TAG_SUBSCRIPTION, IPP_TAG_KEYWORD, "notify-pull-method", nullptr, "ippget");
        cups.addString(request, IPP_TAG_SUBSCRIPTION, IPP_TAG_KEYWORD, "notify-events", nullptr, "job-completed");
        cups.addInteger(request, IPP_TAG_SUBSCRIPTION, IPP_TAG_INTEGER, "notify-lease-duration", 60);
    }
    asked_ = connection.Do(request);
    if (asked_.kind == Reply::Answered)
        if (ipp_attribute_t *a = cups.findAttribute(asked_.ipp.get(), "notify-subscription-id", IPP_TAG_INTEGER))
            id_ = cups.getInteger(a, 0);
    asked_.ipp.reset();
}

void JobEnds::Cancel()
{
    if (!id_)
        return;
    ipp_t *request = connection_.Request(IPP_OP_CANCEL_SUBSCRIPTION, "printer-uri", uri_);
    connection_.Cups().addInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-subscription-id", id_);
    connection_.Do(request);
    id_ = 0;
}

std::pair<int, QStringList> JobEnds::Of(int job) const
{
    if (!id_)
        return {};
    const CupsLibrary &cups = connection_.Cups();
    ipp_t *request = connection_.Request(IPP_OP_GET_NOTIFICATIONS, "printer-uri", uri_);
    cups.addInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "notify-subscription-ids", id_);
    const Reply reply = connection_.Do(request);
    if (reply.kind != Reply::Answered)
        return {};
    // One group of attributes an event, in no fixed order.
    std::pair<int, QStringList> end, event;
    int eventJob = 0;
    for (ipp_attribute_t *a = cups.firstAttribute(reply.ipp.get());; a = cups.nextAttribute(reply.ipp.get())) {
        const char *name = a ? cups.getName(a) : nullptr;
        if (!name || cups.getGroupTag(a) != IPP_TAG_EVENT_NOTIFICATION) {
            if (eventJob == job && event.first)
                end = event;
            event = {}, eventJob = 0;
            if (!a)
                break;
        } else if (!qstrcmp(name, "notify-job-id")) {
            eventJob = cups.getInteger(a, 0);
        } else if (!qstrcmp(name, "job-state")) {
            event.first = cups.getInteger(a, 0);
        } else if (!qstrcmp(name, "job-state-reasons") || !qstrcmp(name, "notify-text")) {
            for (int i = 0; i < cups.getCount(a); ++i)
                event.second << QString::fromUtf8(cups.getString(a, i, nullptr));
        }
    }
    return end;
}

} // namespace platform
