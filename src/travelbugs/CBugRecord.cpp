#include "travelbugs/CBugRecord.h"

void CBugRecord::Reset() {
    id = 0;
    tb_num.clear();
    name.clear();
    serial.clear();
    url.clear();
    mission.clear();
    insert_ts = 0;
}
