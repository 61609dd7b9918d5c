#include "calc/Form1041A.h"

#include "calc/CalcSupport.h"

namespace quorvan {

void CalcForm1041APage1()
{
}

void CalcForm1041APage2()
{
}

}  // namespace quorvan
