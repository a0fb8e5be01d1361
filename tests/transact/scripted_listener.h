// A raw listener on a free loopback port that plays a fixed script to the one client it accepts:
// it sends texts, pauses (so that texts travel in separate packets) and reads lines. It records
// every line it received and whether the client closed the connection.
#pragma once

#include "data/socket_handle.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

class ScriptedListener {
public:
    struct Step {
        enum Kind { Send, Pause, ReadLine, Close } kind;
        std::string text;
    };
    static Step Send(std::string text) { return {Step::Send, std::move(text)}; }
    // Waits long enough that what is sent next arrives as a packet of its own.
    static Step Pause() { return {Step::Pause, {}}; }
    static Step ReadLine() { return {Step::ReadLine, {}}; }
    // Closes the connection at once, ending the script.
    static Step Close() { return {Step::Close, {}}; }

    // Listens at once; plays script to the first client. After the script it keeps reading
    // (recording lines) until the client closes or the wait runs out.
    explicit ScriptedListener(std::vector<Step> script,
                              std::chrono::milliseconds wait = std::chrono::seconds(5));
    ~ScriptedListener();

    std::uint16_t Port() const { return port_; }
    std::string PortText() const { return std::to_string(port_); }
    // Waits for the script to end; then the lines received (each without its line feed) and
    // whether the client closed its side.
    void Finish();
    const std::vector<std::string>& Lines() const { return lines_; }
    bool ClientClosed() const { return clientClosed_; }
    bool Accepted() const { return accepted_; }

private:
    void Play(std::vector<Step> script);
    bool ReadOneLine(int fd, std::string& pending);

    SocketHandle listener_;
    std::uint16_t port_ = 0;
    std::chrono::milliseconds wait_{};
    std::thread player_;
    std::vector<std::string> lines_;
    bool clientClosed_ = false;
    bool accepted_ = false;
};

// A listener that never accepts and never answers: a client's connect completes through the
// system's queue (the first one, at least), and then it waits for an answer that never comes.
class SilentListener {
public:
    SilentListener();
    std::uint16_t Port() const { return port_; }
    std::string PortText() const { return std::to_string(port_); }

private:
    SocketHandle listener_;
    std::uint16_t port_ = 0;
};
