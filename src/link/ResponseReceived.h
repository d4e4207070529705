#pragma once
// Program-wide: whether the instrument has answered since the last transmission. Every
// transmission clears it, every receive event sets it, and an exchange that fails on timeout
// clears it. After a failed operation the host reads it to tell "no response" from "failed".
namespace tz {

extern bool ResponseReceived;

}  // namespace tz
