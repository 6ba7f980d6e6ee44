// The SQL reserved words shared by both syntax editors.
#include "report/editors/syntaxcolours.h"

namespace bralvo::report {

const QStringList &SqlReservedWords()
{
    static const QStringList words = QStringLiteral(
        "active,after,all,alter,and,any,as,asc,ascending,at,auto,base_name,before,begin,between,by,"
        "cache,call,cast,check,column,commit,committed,computed,conditional,constraint,containing,count,"
        "create,current,cursor,database,debug,declare,default,delete,desc,descending,distinct,do,domain,"
        "drop,else,end,entry_point,escape,exception,execute,exists,exit,external,extract,filter,for,"
        "foreign,from,full,function,generator,grant,group,having,if,in,inactive,index,inner,insert,into,"
        "is,isolation,join,key,left,level,like,merge,names,no,not,null,of,on,only,or,order,outer,"
        "parameter,password,plan,position,primary,privileges,procedure,protected,read,retain,returns,"
        "revoke,right,rollback,schema,select,set,shadow,shared,snapshot,some,suspend,table,then,to,"
        "transaction,trigger,uncommitted,union,unique,update,user,using,values,view,wait,when,where,"
        "while,with,work").split(QLatin1Char(','));
    return words;
}

} // namespace bralvo::report
