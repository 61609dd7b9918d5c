#include "calc/Form1041QFTTV.h"

#include "calc/CalcSupport.h"

namespace quorvan {

void CalcForm1041QFT()
{
}

void CalcForm1041T()
{
}

void CalcForm1041V()
{
}

}  // namespace quorvan
