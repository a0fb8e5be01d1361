#include "data/client_handles.h"

#include "data/blocking_calls.h"

MYSQL* ClientHandle::Init() {
    Close();
    const ClientApi& c = Client();
    if (!c.mysql_init)
        return nullptr;
    handle_ = c.mysql_init(nullptr);
    if (handle_ && c.mysql_options)
        c.mysql_options(handle_, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    return handle_;
}

void ClientHandle::Close() {
    if (handle_)
        ForgetStoppedCall(handle_);
    if (handle_ && Client().mysql_close)
        Client().mysql_close(handle_);
    handle_ = nullptr;
}
