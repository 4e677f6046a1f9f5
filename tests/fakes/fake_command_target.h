#pragma once

#include <functional>
#include <map>

#include "core/command_target.h"

// Keeps what each feature registers, so that a test presses a button by its id.
struct FakeCommandTarget : CommandTarget {
  std::map<int, std::function<void()>> commands;
  std::function<bool()> close_query;
  std::function<void()> close_handler;
  void SetCommandHandler(int id, std::function<void()> handler) override {
    commands[id] = std::move(handler);
  }
  void SetCloseQuery(std::function<bool()> query) override { close_query = std::move(query); }
  void SetCloseHandler(std::function<void()> handler) override {
    close_handler = std::move(handler);
  }
};
