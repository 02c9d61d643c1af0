// Opening the cash drawer: a command without a data answer in the query family.
#include "fiscal/queries.h"
#include "fiscal/query_call.h"
#include "protocol/frame.h"

namespace quelfi::fiscal {

// The reply's own result is returned; the drawer pulse needs no status refresh.
int openDrawer(const Road& road) {
    const QueryMember& row = member(Query::AcionaGaveta);
    const QueryCall call(road, row);
    if (auto forwarded = call.forward()) return *forwarded;
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(std::string(row.command));
    spec.replyLength = row.replyLength;
    return call.log().run(spec);
}

}  // namespace quelfi::fiscal
