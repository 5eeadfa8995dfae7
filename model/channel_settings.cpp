#include "model/channel_settings.h"

namespace t604 {

void PutChannel(SoftwareData& record, int n, const ChannelSettings& s) {
    ChannelRecord channel = record.channel(n);
    channel.setFreqRx(s.FreqRx);
    channel.setFreqTx(s.FreqTx);
    channel.setSubDe(s.SubDe);
    channel.setSubEn(s.SubEn);
    channel.setPower(s.Power);
    channel.setBandwidth(s.Bandwidth);
    channel.setSCN(s.SCN);
    record.SetChannelUsed(n, true);
}

ChannelSettings ChannelSettingsOf(const SoftwareData& record, int n) {
    const ConstChannelRecord c = record.channel(n);
    return {c.FreqRx(), c.FreqTx(), c.SubDe(), c.SubEn(), c.Power(), c.Bandwidth(), c.SCN()};
}

}  // namespace t604
