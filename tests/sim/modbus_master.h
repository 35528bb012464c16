#pragma once

#include <cstdint>
#include <memory>
#include <modbus/modbus.h>
#include <optional>
#include <string>
#include <vector>

// libmodbus as the panel's stand-in: an outside stack that checks every answer.
class ModbusMaster {
public:
    explicit ModbusMaster(const std::string& path, int unit = 1);

    // The registers, or nothing with errno set as libmodbus leaves it.
    std::optional<std::vector<std::uint16_t>> Read(int start, int count) const;
    // True when the echo came back.
    bool Write(int reg, std::uint16_t value) const;
    modbus_t* Get() const { return ctx_.get(); }

private:
    struct Close {
        void operator()(modbus_t* ctx) const {
            modbus_close(ctx);
            modbus_free(ctx);
        }
    };
    std::unique_ptr<modbus_t, Close> ctx_;
};
